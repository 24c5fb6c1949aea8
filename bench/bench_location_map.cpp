// The location map fetched for two places 1.5 km apart from a local tile server, cold and from
// the cache, the page with that map and its marks to PDF, and the peak memory of the run.

#include "bench_maps.h"
#include "bench_table.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "fixture_http_server.h"
#include "maps/fetch_location_map.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

using namespace mivo;

namespace {

// A tile with roads, blocks and names, so that it compresses like a real one.
QByteArray tilePng() {
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(QColor(242, 239, 233));
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 256; i += 23) {
        painter.fillRect(QRect(i, (i * 7) % 256, 18, 14), QColor(220, 214, 206));
        painter.setPen(QPen(Qt::white, 5));
        painter.drawLine(0, i, 256, (i * 3) % 256);
        painter.setPen(Qt::darkGray);
        painter.drawText(QPoint(i % 200, (i * 5) % 256), QStringLiteral("丸の内"));
    }
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    return png;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QByteArray png = tilePng();
    FixtureHttpServer server([&](const QUrl&) {
        return FixtureHttpServer::Response{200, png, "image/png"};
    });
    const MapSources sources{server.base() + QStringLiteral("/search"),
                             server.base() + QStringLiteral("/std/{z}/{x}/{y}.png")};
    LocationMarks marks;
    marks.home = MapMark{{}, GeoPoint{35.6812, 139.7671}};
    marks.parking = MapMark{{}, GeoPoint{35.6947, 139.7671}}; // 1.5 km north

    constexpr int kRuns = 5;
    QTemporaryDir dir;
    int cold = 0;
    LocationMapFetch map;
    bench::row("location map, two places 1.5 km apart: fetch and stitch, cold",
               bench::medianMs(kRuns,
                               [&] {
                                   MapFetcher fetcher(
                                       sources, TileCache(dir.filePath(QString::number(++cold))));
                                   map = fetchLocationMap(fetcher, marks);
                                   if (!map.error.isEmpty())
                                       qFatal("%s", qPrintable(map.error));
                               }),
               "ms", 2000, kRuns);
    MapFetcher cached(sources, TileCache(dir.filePath(QStringLiteral("1"))));
    bench::row("location map, two places 1.5 km apart: from the cache",
               bench::medianMs(kRuns, [&] { map = fetchLocationMap(cached, marks); }), "ms", 200,
               kRuns);

    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::LayoutDrawing));
    document.drawing().locationMap = map.picture;
    document.drawing().location = map.marks;
    bench::row("layout drawing with the fetched map and its marks to PDF, in-process",
               bench::medianMs(kRuns,
                               [&] {
                                   PdfTarget target({});
                                   PainterSurface surface(target);
                                   if (insatu(surface, document).status !=
                                       PrintOutcome::Status::Printed)
                                       qFatal("print failed");
                               }),
               "ms", 100, kRuns);
    bench::row("location map fetch and page: peak memory of the run", bench::peakMegabytes(), "MB",
               250, 1);
    return 0;
}
