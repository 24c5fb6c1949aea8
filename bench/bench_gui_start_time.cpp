// Start time of the program: from process start until the main window is shown and the event
// loop has nothing left to do, without a display. Each run is a fresh process that ends as
// soon as it is idle, so a run also holds the few milliseconds of the process's exit.

#include "app/mdi_form1.h"
#include "bench_table.h"
#include "programs/qt_texts.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QProcess>

#include <cstdlib>

namespace {

constexpr int kRuns = 11;
constexpr const char* kChild = "--start-once";

// The program's own start, ending the process the first time the event loop goes idle.
int startOnce(int argc, char* argv[]) {
    QApplication app(argc, argv);
    mivo::installJapaneseQtTexts(app);
    mivo::MDIForm1 window;
    window.showMaximized();
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &app, [] { std::_Exit(0); });
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && qstrcmp(argv[1], kChild) == 0)
        return startOnce(argc, argv);

    QCoreApplication app(argc, argv);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    bool failed = false;
    const double median = bench::medianMs(kRuns, [&] {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChild)});
        failed |= !child.waitForFinished(10000) || child.exitCode() != 0;
    });
    if (failed) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    bench::row("start time (offscreen)", median, "ms", 300, kRuns);
    return 0;
}
