// Addresses and map tiles from a real HTTP server the test starts on 127.0.0.1, answering as
// 国土地理院's address search and tiles do.

#include "cases/case.h"
#include "cases/case_store.h"
#include "fixture_http_server.h"
#include "maps/fetch_location_map.h"
#include "maps/map_fetcher.h"
#include "pdf_words.h"
#include "program_run.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrlQuery>

using namespace mivo;

namespace {

const GeoPoint kStation{35.6812, 139.7671};
const GeoPoint kNorth{35.6947, 139.7671}; // 1.5 km north

QByteArray tilePng() {
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(QColor(240, 236, 228));
    QPainter(&tile).fillRect(100, 0, 12, 256, Qt::white); // a road
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    return png;
}

// /search?q=...: 国土地理院's answer for two known addresses, [] for any other.
// /std/z/x/y.png: a tile; /missing/...: 404; /damaged/...: a cut PNG; /silent/...: no answer.
FixtureHttpServer::Response answer(const QUrl& url) {
    static const QByteArray png = tilePng();
    const QString path = url.path();
    if (path == u"/search") {
        const QString q = QUrlQuery(url).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded);
        const auto feature = [](GeoPoint at, const char* title) {
            return QStringLiteral(R"({"geometry": {"coordinates": [%1, %2], "type": "Point"},)"
                                  R"( "type": "Feature", "properties": {"addressCode": "",)"
                                  R"( "title": "%3"}})")
                .arg(at.lon, 0, 'f', 6)
                .arg(at.lat, 0, 'f', 6)
                .arg(QString::fromUtf8(title));
        };
        QString body = QStringLiteral("[]");
        if (q == u"東京都千代田区丸の内一丁目")
            body = u'[' + feature(kStation, "東京都千代田区丸の内一丁目") + u']';
        else if (q == u"東京都千代田区神田")
            body = u'[' + feature(kNorth, "東京都千代田区神田") + u']';
        return {200, body.toUtf8(), "application/json"};
    }
    if (path.startsWith(u"/std/"))
        return {200, png, "image/png"};
    if (path.startsWith(u"/damaged/"))
        return {200, png.left(png.size() / 2), "image/png"};
    if (path.startsWith(u"/silent/")) {
        FixtureHttpServer::Response never;
        never.silent = true;
        return never;
    }
    return {404, "not found", "text/plain"};
}

} // namespace

class MapFetchTest : public QObject {
    Q_OBJECT

    FixtureHttpServer server_{answer};
    QTemporaryDir dir_;

    MapFetcher fetcher(const char* tiles, const QString& cache, int timeoutMs = 10000) {
        return MapFetcher(MapSources{server_.base() + QStringLiteral("/search"),
                                     server_.base() + QString::fromLatin1(tiles)},
                          TileCache(cache), timeoutMs);
    }

  private slots:
    // Both addresses found; the map holds both places with a margin at 200 dpi; the second
    // time every tile comes from the cache.
    void fetchedAndCached() {
        const QString cache = dir_.filePath(QStringLiteral("cache"));
        MapFetcher f = fetcher("/std/{z}/{x}/{y}.png", cache);
        const GeocodeResult home = f.geocode(QStringLiteral("東京都千代田区丸の内一丁目"));
        const GeocodeResult parking = f.geocode(QStringLiteral("東京都千代田区神田"));
        QVERIFY2(home.place && parking.place, qPrintable(home.error + parking.error));
        QVERIFY(qAbs(home.place->lat - kStation.lat) < 1e-6);
        QVERIFY(qAbs(parking.place->lon - kNorth.lon) < 1e-6);

        LocationMarks marks;
        marks.home = MapMark{{}, home.place};
        marks.parking = MapMark{{}, parking.place};
        marks.typedDistance = 1200;
        const LocationMapFetch map = fetchLocationMap(f, marks);
        QVERIFY2(map.error.isEmpty(), qPrintable(map.error));
        QCOMPARE(map.picture.size(), kMapPictureSize);
        QCOMPARE(qRound(map.picture.dotsPerMeterX() * 0.0254), 200);
        QCOMPARE(map.picture.pixelColor(0, 0), QColor(240, 236, 228));
        QVERIFY(map.marks.tiling);
        QCOMPARE(map.marks.typedDistance, 1200.0);
        const QRectF inner =
            QRectF(QPointF(0, 0), QSizeF(kMapPictureSize)).adjusted(100, 100, -100, -100);
        QVERIFY(inner.contains(map.marks.home->pixel) && inner.contains(map.marks.parking->pixel));
        // The tiles' projection gives each mark back its place.
        const GeoPoint back = geoOfPixel(*map.marks.tiling, map.marks.parking->pixel);
        QVERIFY(qAbs(back.lat - kNorth.lat) < 1e-7 && qAbs(back.lon - kNorth.lon) < 1e-7);

        const int asked = server_.requests();
        const FetchedMap again = f.fetchMap(kStation, kNorth);
        QCOMPARE(again.fromNetwork, 0);
        QVERIFY(again.fromCache > 0);
        QCOMPARE(server_.requests(), asked);
    }

    // Each failure is told, and nothing is made of it; a damaged tile is not kept.
    void failures_data() {
        QTest::addColumn<QString>("tiles");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("says");
        QTest::newRow("no address") << "/std/{z}/{x}/{y}.png"
                                    << "どこにもない町"
                                    << "見つかりませんでした";
        QTest::newRow("404") << "/missing/{z}/{x}/{y}.png"
                             << ""
                             << "HTTP 404";
        QTest::newRow("damaged tile") << "/damaged/{z}/{x}/{y}.png"
                                      << ""
                                      << "壊れています";
        QTest::newRow("no answer in time") << "/silent/{z}/{x}/{y}.png"
                                           << ""
                                           << "時間内に応答しませんでした";
        QTest::newRow("offline") << "http://127.0.0.1:1/{z}/{x}/{y}.png"
                                 << ""
                                 << "接続できませんでした";
    }
    void failures() {
        QFETCH(QString, tiles);
        QFETCH(QString, address);
        QFETCH(QString, says);
        const QString cache = dir_.filePath(QStringLiteral("failures"));
        MapFetcher f(MapSources{server_.base() + QStringLiteral("/search"),
                                tiles.startsWith(u'/') ? server_.base() + tiles : tiles},
                     TileCache(cache), 300);
        QString error;
        if (!address.isEmpty()) {
            const GeocodeResult found = f.geocode(address);
            QVERIFY(!found.place);
            error = found.error;
        } else {
            const FetchedMap map = f.fetchMap(kStation, kNorth);
            QVERIFY(map.picture.isNull());
            error = map.error;
        }
        QVERIFY2(error.contains(says), qPrintable(error));
        QVERIFY(QDir(cache).isEmpty());
    }

    // cancel() stops a fetch that waits on a silent server: it fails as stopped, not as late,
    // keeps nothing, and what is asked afterwards is never sent.
    void cancelStopsTheFetch() {
        const QString cache = dir_.filePath(QStringLiteral("cancelled"));
        MapFetcher f = fetcher("/silent/{z}/{x}/{y}.png", cache);
        QTimer::singleShot(100, [&f] { f.cancel(); });
        const FetchedMap map = f.fetchMap(kStation, kNorth);
        QVERIFY2(map.error.contains(QStringLiteral("中止")), qPrintable(map.error));
        QVERIFY(map.picture.isNull());
        QVERIFY(QDir(cache).isEmpty());

        const int asked = server_.requests();
        QVERIFY(!f.geocode(QStringLiteral("東京都千代田区神田")).place);
        QCOMPARE(server_.requests(), asked);
    }

    // Over its limit the cache lets the tiles used longest ago go first.
    void cacheKeepsItsLimit() {
        const QString folder = dir_.filePath(QStringLiteral("small"));
        TileCache cache(folder, 2500);
        for (const char* url : {"a", "b"}) {
            cache.keep(QString::fromLatin1(url), QByteArray(1000, 'x'));
            QTest::qWait(20); // distinct times
        }
        QVERIFY(cache.find(QStringLiteral("a"))); // used now: b is the oldest
        QTest::qWait(20);
        cache.keep(QStringLiteral("c"), QByteArray(1000, 'x'));
        cache.trim();
        QVERIFY(cache.find(QStringLiteral("a")) && cache.find(QStringLiteral("c")));
        QVERIFY(!cache.find(QStringLiteral("b")));
    }

    // mivo-render --fetch-map prints the fetched map with its attribution; a failure writes
    // nothing and says why.
    void renderFetchesTheMap() {
        const QString json = writeTestFile(dir_.filePath(QStringLiteral("marks.json")), R"({
            "version": 1, "home": {"x": 0, "y": 0, "lat": 35.6812, "lon": 139.7671},
            "parking": {"x": 0, "y": 0, "lat": 35.6947, "lon": 139.7671}})");
        const QString pdf = dir_.filePath(QStringLiteral("map.pdf"));
        const QStringList environment{QStringLiteral("XDG_CACHE_HOME=") + dir_.filePath("xdg")};
        const auto render = [&](const char* tiles) {
            return runProgram(qEnvironmentVariable("MIVO_RENDER"),
                              {QStringLiteral("layout-drawing"), QStringLiteral("--location"), json,
                               QStringLiteral("--fetch-map"), QStringLiteral("--tiles"),
                               server_.base() + QString::fromLatin1(tiles), QStringLiteral("-o"),
                               pdf},
                              environment);
        };
        // The server answers only while this thread's event loop runs: the program runs
        // beside it.
        ProgramRun run;
        QThread* thread = QThread::create([&] { run = render("/missing/{z}/{x}/{y}.png"); });
        thread->start();
        QTRY_VERIFY_WITH_TIMEOUT(thread->isFinished(), 30000);
        delete thread;
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.err.contains(QStringLiteral("HTTP 404")), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));

        thread = QThread::create([&] { run = render("/std/{z}/{x}/{y}.png"); });
        thread->start();
        QTRY_VERIFY_WITH_TIMEOUT(thread->isFinished(), 30000);
        delete thread;
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::vector<PdfWord> words = readPdfWords(file.readAll());
        QVERIFY(findWord(words, QStringLiteral("出典：地理院タイル")));
        QVERIFY(findWord(words, QStringLiteral("約1500m")));
    }

    // A place without latitude and longitude is looked up by the case's address; an address
    // the search does not know is named by its place, never written out.
    void renderFindsTheCaseAddresses() {
        const QString database = dir_.filePath(QStringLiteral("cases.sqlite"));
        const QString json = writeTestFile(dir_.filePath(QStringLiteral("home.json")), R"({
            "version": 1, "home": {"x": 0, "y": 0, "lat": 35.6812, "lon": 139.7671}})");
        const QString pdf = dir_.filePath(QStringLiteral("found.pdf"));
        const auto render = [&](const QString& parking) {
            Case c;
            c.particulars.setValue(Particular::ParkingLocation, parking);
            CaseStore store(CaseDatabase::fromArgument(database));
            const qint64 id = store.save(c, true).id;
            ProgramRun run;
            QThread* thread = QThread::create([&] {
                run = runProgram(qEnvironmentVariable("MIVO_RENDER"),
                                 {QStringLiteral("layout-drawing"), QStringLiteral("--case"),
                                  QString::number(id), QStringLiteral("--database"), database,
                                  QStringLiteral("--location"), json, QStringLiteral("--fetch-map"),
                                  QStringLiteral("--tiles"),
                                  server_.base() + QStringLiteral("/std/{z}/{x}/{y}.png"),
                                  QStringLiteral("--geocoder"),
                                  server_.base() + QStringLiteral("/search"), QStringLiteral("-o"),
                                  pdf},
                                 {QStringLiteral("XDG_CACHE_HOME=") + dir_.filePath("xdg")});
            });
            thread->start();
            [&] { QTRY_VERIFY_WITH_TIMEOUT(thread->isFinished(), 30000); }();
            delete thread;
            return run;
        };
        ProgramRun run = render(QStringLiteral("神田のどこか"));
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.err.contains(QStringLiteral("保管場所の位置の住所が見つかりませんでした")),
                 qPrintable(run.err));
        QVERIFY(!run.err.contains(QStringLiteral("神田")) && !QFile::exists(pdf));

        run = render(QStringLiteral("東京都千代田区神田"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(findWord(readPdfWords(file.readAll()), QStringLiteral("約1500m")));
    }
};

QTEST_MAIN(MapFetchTest)
#include "map_fetch_test.moc"
