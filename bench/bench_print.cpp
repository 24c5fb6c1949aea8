// The power of attorney with all its values, drawn in-process on each kind of surface.

#include "bench_table.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"
#include "print/recording_surface.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace mivo;

namespace {

// The same values bench/run gives mivo-render: as a dealer types them, or each at its longest.
bool loadValues(CurrentDocument& document, const char* name) {
    QFile file(QStringLiteral(MIVO_BENCH_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject values = QJsonDocument::fromJson(file.readAll()).object();
    document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
    for (auto it = values.begin(); it != values.end(); ++it)
        document.fields().setValue(it.key().toInt(), it.value().toString());
    return values.size() == 17;
}

// Stops the run loudly: a bench that measures a failed print measures nothing.
void print(PrinterSurface& surface, const CurrentDocument& document) {
    const PrintOutcome outcome = insatu(surface, document);
    if (outcome.status != PrintOutcome::Status::Printed)
        qFatal("print failed: %s", qPrintable(outcome.reason));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CurrentDocument document;
    CurrentDocument longValues;
    if (!loadValues(document, "power_of_attorney.json") ||
        !loadValues(longValues, "power_of_attorney_long.json"))
        qFatal("cannot read the values in %s", MIVO_BENCH_DIR);

    constexpr int kRuns = 50;
    bench::row("power of attorney on the recording surface",
               bench::medianMs(kRuns * 4,
                               [&] {
                                   RecordingSurface surface;
                                   print(surface, document);
                               }),
               "ms", 0, kRuns * 4);

    // Every field too long for its gap, so that each is fitted: what fitting costs a page.
    const double fitted = bench::medianMs(kRuns * 4, [&] {
        RecordingSurface surface;
        print(surface, longValues);
    });
    const double asTyped = bench::medianMs(kRuns * 4, [&] {
        RecordingSurface surface;
        print(surface, document);
    });
    bench::row("fitting every value of a page (long values, recording surface)", fitted - asTyped,
               "ms", 1, kRuns * 4);

    QByteArray pdf;
    bench::row("power of attorney to PDF, in-process",
               bench::medianMs(kRuns,
                               [&] {
                                   PdfTarget target({});
                                   {
                                       PainterSurface surface(target);
                                       print(surface, document);
                                   }
                                   pdf = target.data();
                               }),
               "ms", 20, kRuns);
    bench::row("power of attorney PDF size", pdf.size() / 1024.0, "KB", 40, 1);

    bench::row("power of attorney to a 150-dpi picture, in-process",
               bench::medianMs(kRuns,
                               [&] {
                                   ImageTarget target(150);
                                   PainterSurface surface(target);
                                   print(surface, document);
                               }),
               "ms", 0, kRuns);

    QTemporaryDir dir;
    const QByteArray png = QFile::encodeName(dir.filePath(QStringLiteral("page.png")));
    bench::row("power of attorney to a 150-dpi PNG file, in-process",
               bench::medianMs(kRuns,
                               [&] {
                                   ImageTarget target(150, png);
                                   PainterSurface surface(target);
                                   print(surface, document);
                               }),
               "ms", 0, kRuns);
    return 0;
}
