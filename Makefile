# make run            install what is missing, build (Release) and start the program
# make test           install what is missing, build and run every test
# make build          build only (Release, in build/)
# make package        the Debian package, build/mivo_VERSION_ARCH.deb
# make bench          the benchmark table (bench/run, Release in build-release/)
# make sanitize-test  the tests under AddressSanitizer and UndefinedBehaviorSanitizer
# make clean          remove every build folder

JOBS ?= 2
MAKEFLAGS += --no-print-directory
BUILD := build
SANITIZE_BUILD := build-sanitize

.PHONY: run test build package deps bench sanitize-test clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-mivo $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure

package: build
	cmake --build $(BUILD) --target package

bench:
	@scripts/install-deps bench
	bench/run

# Debug keeps the reports' stack traces exact; leaks inside the system's libraries are not ours.
sanitize-test: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMIVO_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure

clean:
	rm -rf $(BUILD) build-release $(SANITIZE_BUILD) artifacts
