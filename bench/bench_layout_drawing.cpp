// The layout drawing with two 24-megapixel photographs as maps: how long the print takes
// until the page is handed over (as PDF), and the peak memory of the whole run.

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/picture_file.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;

// A 6000 × 4000 photograph-like picture: smooth colour with some detail, so that it
// compresses like a real one.
QImage photograph(QColor from, QColor to) {
    QImage picture(6000, 4000, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 6000, 4000);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QPen(Qt::darkGray, 9));
    for (int i = 0; i < 6000; i += 157)
        painter.drawLine(i, 0, 6000 - i / 2, 4000);
    return picture;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void row(const char* measurement, const QString& value, const char* target, int runs) {
    std::printf("| %s | %s | %s | %d |\n", measurement, qPrintable(value), target, runs);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString left = dir.filePath("left.jpg"), right = dir.filePath("right.jpg");
    // One at a time, so that making them does not set the peak.
    const bool made = photograph(Qt::white, QColor(200, 220, 255)).save(left, "JPEG", 85);
    if (!made || !photograph(QColor(255, 240, 200), Qt::white).save(right, "JPEG", 85)) {
        std::fprintf(stderr, "cannot write the test pictures\n");
        return 1;
    }

    mivo::CurrentDocument document;
    document.setTitle(mivo::DocumentKind::LayoutDrawing);
    std::vector<double> loading, printing;
    QByteArray pdf;
    for (int run = 0; run < kRuns; ++run) {
        document.drawing().clear(); // as after closing and reopening the form
        QElapsedTimer timer;
        timer.start();
        const mivo::PictureLoad a = mivo::loadPictureFile(left);
        const mivo::PictureLoad b = mivo::loadPictureFile(right);
        loading.push_back(timer.nsecsElapsed() / 1e9);
        if (!a.ok() || !b.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(a.ok() ? b.error : a.error));
            return 1;
        }
        document.drawing().locationMap = a.picture;
        document.drawing().layoutMap = b.picture;

        timer.restart();
        mivo::PdfTarget target(qEnvironmentVariable("BENCH_PDF", dir.filePath("page.pdf")));
        mivo::PainterSurface surface(target);
        const mivo::PrintOutcome outcome = mivo::insatu(surface, document);
        printing.push_back(timer.nsecsElapsed() / 1e9);
        if (outcome.status != mivo::PrintOutcome::Status::Printed) {
            std::fprintf(stderr, "%s\n", qPrintable(outcome.reason));
            return 1;
        }
        pdf = target.data();
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMegabytes = usage.ru_maxrss / 1024.0; // kilobytes on Linux

    std::printf("| measurement | median | target | runs |\n|---|---|---|---|\n");
    row("layout drawing, two 24-MP JPEG maps: load both files",
        QString::asprintf("%.2f s", median(loading)), "-", kRuns);
    row("layout drawing, two 24-MP JPEG maps: print to PDF",
        QString::asprintf("%.2f s", median(printing)), "≤ 2 s", kRuns);
    row("layout drawing, two 24-MP JPEG maps: PDF size",
        QString::asprintf("%.1f MB", pdf.size() / 1e6), "-", kRuns);
    row("layout drawing, two 24-MP JPEG maps: peak memory",
        QString::asprintf("%.0f MB", peakMegabytes), "≤ 600 MB", 1);
    return 0;
}
