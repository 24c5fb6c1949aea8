// Postal code to address: the first lookup, which reads Japan Post's table, and one lookup
// after it.

#include "bench_table.h"
#include "particulars/postal_codes.h"

#include <QCoreApplication>

#include <iterator>

using namespace mivo;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QElapsedTimer timer;
    timer.start();
    if (lookUpPostalCode(u"100-0001").isEmpty())
        qFatal("the postal code table is missing");
    bench::row("postal code: first lookup, reading the table", timer.nsecsElapsed() / 1e6, "ms", 0,
               1);

    // Codes across the table, one of them with 66 towns.
    const char16_t* codes[] = {u"0600001", u"452-0961", u"１００－０００１", u"9071800",
                               u"5300001"};
    constexpr int kRuns = 1001;
    size_t next = 0;
    const double ms = bench::medianMs(kRuns, [&] {
        if (lookUpPostalCode(codes[next++ % std::size(codes)]).isEmpty())
            qFatal("a known code was not found");
    });
    // Microseconds read better; the target is 1 ms.
    bench::row("postal code: one lookup", ms * 1000, "µs", 1000, kRuns);
    return 0;
}
