// The layout drawing with two 24-megapixel photographs as maps: opening them, printing the
// page until it is handed over as PDF, and the peak memory of the whole run.

#include "bench_maps.h"
#include "bench_table.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

using namespace mivo;

namespace {

// A 6000 × 4000 photograph-like picture: smooth colour with some detail, so that it
// compresses like a real one.
void writePhotograph(const QString& path, QColor from, QColor to) {
    QImage picture(6000, 4000, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 6000, 4000);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QPen(Qt::darkGray, 9));
    for (int i = 0; i < 6000; i += 157)
        painter.drawLine(i, 0, 6000 - i / 2, 4000);
    painter.end();
    if (!picture.save(path, "JPEG", 85))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString left = dir.filePath("left.jpg"), right = dir.filePath("right.jpg");
    writePhotograph(left, Qt::white, QColor(200, 220, 255));
    writePhotograph(right, QColor(255, 240, 200), Qt::white);

    constexpr int kRuns = 5;
    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::LayoutDrawing));
    LayoutDrawingState& drawing = document.drawing();
    bench::row("layout drawing: open two 24-MP JPEG maps",
               bench::medianMs(kRuns,
                               [&] {
                                   drawing.clear(); // as in a newly opened form
                                   drawing.locationMap = bench::openMap(left);
                                   drawing.layoutMap = bench::openMap(right);
                               }),
               "ms", 0, kRuns);

    QByteArray pdf;
    bench::row("layout drawing with two 24-MP maps to PDF, in-process",
               bench::medianMs(kRuns,
                               [&] {
                                   PdfTarget target({});
                                   PainterSurface surface(target);
                                   const PrintOutcome outcome = insatu(surface, document);
                                   if (outcome.status != PrintOutcome::Status::Printed)
                                       qFatal("print failed: %s", qPrintable(outcome.reason));
                                   pdf = target.data();
                               }),
               "ms", 2000, kRuns);
    bench::row("layout drawing with two 24-MP maps: PDF size", pdf.size() / 1024.0, "KB", 0, 1);

    bench::row("layout drawing with two 24-MP maps: peak memory of the run", bench::peakMegabytes(),
               "MB", 600, 1);
    return 0;
}
