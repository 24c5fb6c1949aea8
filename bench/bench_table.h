#pragma once

// Rows of the table bench/run prints: | measurement | median | target | runs |
// A bench program prints its rows on standard output and anything else on standard error.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

// Median wall time in milliseconds of `runs` calls of `work`, after one call that warms up
// caches and loads fonts.
template <typename Work> double medianMs(int runs, Work&& work) {
    work();
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

// One row; `limit` is the target's upper bound in `unit`, or 0 for none.
inline void row(const char* measurement, double value, const char* unit, double limit, int runs) {
    char target[64] = "";
    if (limit > 0)
        std::snprintf(target, sizeof target, "≤ %g %s %s", limit, unit,
                      value <= limit ? "✓" : "✗ missed");
    std::printf("| %s | %.3g %s | %s | %d |\n", measurement, value, unit, target, runs);
    std::fflush(stdout);
}

} // namespace bench
