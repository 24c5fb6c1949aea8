// The layout drawing with two maps at the decoded-size limit (8192 × 8192 pixels, 256 MB
// each once decoded): opening both and printing the page to a PDF file, and the peak memory
// of the whole run. Its own program, as the peak is the process's.

#include "bench_maps.h"
#include "bench_table.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/output.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace mivo;

namespace {

constexpr int kSide = 8192;

// A 24-bit BMP written row by row, so that making it costs no memory: a smooth gradient
// with a grid, as a scanned map might be.
void writeMap(const QString& path) {
    constexpr qint64 rowBytes = kSide * 3, dataBytes = rowBytes * kSide;
    QByteArray header(54, '\0');
    const auto le32 = [&header](int at, qint64 v) {
        for (int i = 0; i < 4; ++i)
            header[at + i] = char(v >> (8 * i) & 0xFF);
    };
    header[0] = 'B';
    header[1] = 'M';
    le32(2, 54 + dataBytes);
    le32(10, 54);
    le32(14, 40);
    le32(18, kSide);
    le32(22, kSide);
    header[26] = 1;
    header[28] = 24;
    le32(34, dataBytes);
    le32(38, 3780); // 96 dpi
    le32(42, 3780);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size())
        qFatal("cannot write %s", qPrintable(path));
    QByteArray row(rowBytes, '\0');
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool grid = x % 256 == 0 || y % 256 == 0;
            row[3 * x] = char(grid ? 0 : 255 - x / 64);
            row[3 * x + 1] = char(grid ? 0 : 200 + y / 256);
            row[3 * x + 2] = char(grid ? 0 : 255);
        }
        if (file.write(row) != row.size())
            qFatal("cannot write %s", qPrintable(path));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString left = dir.filePath("left.bmp"), right = dir.filePath("right.bmp");
    writeMap(left);
    writeMap(right);

    QElapsedTimer timer;
    timer.start();
    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::LayoutDrawing));
    document.drawing().locationMap = bench::openMap(left);
    document.drawing().layoutMap = bench::openMap(right);
    const PrintOutcome outcome = output(Destination::pdf(dir.filePath("page.pdf")), document);
    if (outcome.status != PrintOutcome::Status::Printed)
        qFatal("print failed: %s", qPrintable(outcome.reason));
    bench::row("layout drawing, two 256-MB maps: open both and print to a PDF file",
               double(timer.elapsed()), "ms", 0, 1);
    bench::row("layout drawing, two 256-MB maps to PDF: peak memory of the run",
               bench::peakMegabytes(), "MB", 600, 1);

    document.drawing().fitLocationMap = document.drawing().fitLayoutMap = true;
    if (output(Destination::pdf(dir.filePath("fitted.pdf")), document).status !=
        PrintOutcome::Status::Printed)
        qFatal("print failed");
    bench::row("layout drawing, the same maps fitted to the frame: peak memory of the run",
               bench::peakMegabytes(), "MB", 600, 1);
    return 0;
}
