// The print preview of the power of attorney with all its values: opening it, and drawing it
// again after a value changed.

#include "app/preview_window.h"
#include "bench_table.h"
#include "document/current_document.h"
#include "document/document_kind.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

using namespace mivo;

namespace {

// Runs the event loop until the preview has drawn its page.
void waitForPage(PreviewWindow& preview) {
    QEventLoop loop;
    QObject::connect(&preview, &PreviewWindow::pageDrawn, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, [] { qFatal("the preview drew nothing"); });
    loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
    QFile file(QStringLiteral(MIVO_BENCH_DIR "/power_of_attorney.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the values");
    const QJsonObject values = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = values.begin(); it != values.end(); ++it)
        document.fields().setValue(it.key().toInt(), it.value().toString());

    constexpr int kRuns = 21;
    bench::row("print preview of the power of attorney: open until the page is shown",
               bench::medianMs(kRuns,
                               [&] {
                                   PreviewWindow preview(document, nullptr);
                                   preview.show();
                                   waitForPage(preview);
                               }),
               "ms", 100, kRuns);

    PreviewWindow preview(document, nullptr);
    preview.show();
    waitForPage(preview);
    int change = 0;
    bench::row("print preview: a value changed until the page is drawn again",
               bench::medianMs(kRuns * 2,
                               [&] {
                                   document.fields().setValue(62, QString::number(++change));
                                   waitForPage(preview);
                               }),
               "ms", 20, kRuns * 2);
    return 0;
}
