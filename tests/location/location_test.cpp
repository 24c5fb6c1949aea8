// The location map: its distances, its file and its page.

#include "document/location_file.h"
#include "document/location_marks.h"
#include "pdf_words.h"
#include "print/layouts/location_map.h"
#include "program_run.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;

namespace {

ProgramRun render(const QStringList& arguments) {
    return runProgram(qEnvironmentVariable("MIVO_RENDER"), arguments);
}

MapMark at(double x, double y) { return {QPointF(x, y), std::nullopt}; }
MapMark at(double x, double y, double lat, double lon) {
    return {QPointF(x, y), GeoPoint{lat, lon}};
}

} // namespace

class LocationTest : public QObject {
    Q_OBJECT

  private slots:
    // Typed first, then the geodesic, then the picture's scale; rounded to 10 m when shown.
    void distances() {
        // GeographicLib's own worked example, JFK to LHR; GRS80 and WGS84 agree to well under a
        // millimetre here.
        QVERIFY(qAbs(geodesicMetres({40.6, -73.8}, {51.6, -0.5}) - 5551759.400) < 0.001);
        // The order of latitude and longitude matters: swapped, this is another geodesic.
        QVERIFY(qAbs(geodesicMetres({-73.8, 40.6}, {-0.5, 51.6}) - 5551759.400) > 1000);

        LocationMarks marks;
        marks.home = at(0, 0);
        marks.parking = at(300, 400); // 500 pixels apart
        QVERIFY(!distanceOf(marks));
        marks.scale = MapScale{{20, 760}, {220, 760}, 100}; // 200 pixels are 100 m
        QCOMPARE(distanceOf(marks)->metres, 250.0);
        QCOMPARE(distanceOf(marks)->source, DistanceSource::Scale);
        marks.home = at(0, 0, 35.6812, 139.7671);
        QCOMPARE(distanceOf(marks)->source, DistanceSource::Scale); // one place alone is no line
        marks.parking = at(300, 400, 35.6812, 139.7771);
        QCOMPARE(distanceOf(marks)->source, DistanceSource::Geodesic);
        QVERIFY(qAbs(distanceOf(marks)->metres - 905.4) < 1);
        marks.typedDistance = 850;
        QCOMPARE(distanceOf(marks)->metres, 850.0);

        QCOMPARE(distanceText(845), QStringLiteral("直線距離 約850m"));
        QCOMPARE(distanceText(1234.9), QStringLiteral("直線距離 約1230m"));
    }

    // Within 2 km is silent; a metre more is said. A map left out says nothing.
    void twoKilometres() {
        LocationMarks marks;
        marks.typedDistance = 2000;
        QVERIFY(tooFarText(marks).isEmpty());
        marks.typedDistance = 2000.5;
        QCOMPARE(tooFarText(marks), QStringLiteral("直線距離が2kmを超えています"));
        marks.omit = true;
        QVERIFY(tooFarText(marks).isEmpty());
    }

    // The JSON keeps every part; faults are named, and the sound parts of a bad file are not
    // taken.
    void fileFormat() {
        LocationMarks marks;
        marks.home = at(120, 340, 35.6812, 139.7671);
        marks.parking = at(610.5, 95);
        marks.scale = MapScale{{20, 760}, {220, 760}, 100};
        marks.typedDistance = 850;
        marks.tiling = MapTiling{16, 58176.5, 25796, 2};
        const LocationJson back = locationFromJson(locationToJson(marks, QStringLiteral("a.png")));
        QVERIFY(back.error.isEmpty());
        QVERIFY(back.marks == marks);
        QCOMPARE(back.picture, QStringLiteral("a.png"));

        const struct {
            const char* json;
            const char* says;
        } bad[] = {
            {R"({"home": {"x": 1, "y": 2}})", "version"},
            {R"({"version": 2})", "版 2"},
            {R"({"version": 1, "hom": {"x": 1, "y": 2}})", "hom"},
            {R"({"version": 1, "home": {"x": 1, "y": 2, "lat": 35}})", "lon"},
            {R"({"version": 1, "parking": {"x": -1, "y": 2}})", "parking.x"},
            {R"({"version": 1, "home": {"x": 1, "y": 2, "lat": 135, "lon": 35}})", "lat"},
            {R"({"version": 1, "scale": {"from": {"x": 1, "y": 1}, "to": {"x": 1, "y": 1},
                 "metres": 10}})",
             "scale"},
            {R"({"version": 1, "distance": "850"})", "distance"},
            {R"({"version": 1, "omit": 1})", "omit"},
            {R"([1])", "JSON"},
        };
        for (const auto& b : bad) {
            const LocationJson read = locationFromJson(b.json);
            QVERIFY2(read.error.contains(QString::fromUtf8(b.says)), b.json);
        }
    }

    // The picture is found beside the file; a mark off the picture, a missing picture and an
    // oversized file are refused with the file's name.
    void fileOnDisk() {
        QTemporaryDir dir;
        QImage(400, 300, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("map.png")));
        const auto file = [&](const QByteArray& json) {
            writeTestFile(dir.filePath(QStringLiteral("marks.json")), json);
            return loadLocationFile(QFile::encodeName(dir.filePath(QStringLiteral("marks.json"))));
        };
        LocationFile good = file(R"({"version": 1, "picture": "map.png",
                                     "home": {"x": 10, "y": 10}, "parking": {"x": 400, "y": 300}})");
        QVERIFY2(good.ok(), qPrintable(good.error));
        QCOMPARE(good.picture.size(), QSize(400, 300));

        const LocationFile off = file(R"({"version": 1, "picture": "map.png",
                                          "parking": {"x": 401, "y": 10}})");
        QVERIFY(off.error.contains(QStringLiteral("marks.json")));
        QVERIFY(off.error.contains(QStringLiteral("画像の外")));
        QVERIFY(off.marks.isEmpty() && off.picture.isNull());
        QVERIFY(!file(R"({"version": 1, "picture": "none.png"})").ok());
        QVERIFY(file(QByteArray(kLocationFileLimit + 1, ' ')).error.contains(u"大きすぎ"));
    }

    // mivo-render prints the marks, the line, the distance and the attribution inside the
    // left half, says a distance over 2 km on standard error, and prints nothing for a bad
    // file.
    void page() {
        QTemporaryDir dir;
        QImage map(1200, 900, QImage::Format_RGB32);
        map.fill(Qt::white);
        map.save(dir.filePath(QStringLiteral("map.png")));
        // At 200 dpi the map would be 152 mm wide; it is fitted into the left area instead.
        const QString json = writeTestFile(dir.filePath(QStringLiteral("far.json")), R"({
            "version": 1, "picture": "map.png",
            "home": {"x": 5, "y": 890, "lat": 35.6812, "lon": 139.7671},
            "parking": {"x": 1195, "y": 10, "lat": 35.6990, "lon": 139.7800},
            "tiles": {"z": 15, "x": 0, "y": 0, "scale": 1}})");
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        const ProgramRun run =
            render({QStringLiteral("layout-drawing"), QStringLiteral("--location"), json,
                    QStringLiteral("-o"), pdf});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.contains(QStringLiteral("直線距離が2kmを超えています")));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::vector<PdfWord> words = readPdfWords(file.readAll());
        const QRectF leftHalf(18, 31, 122, 129);
        for (const QString& text :
             {QStringLiteral("使用の本拠の位置"), QStringLiteral("保管場所の位置"),
              QStringLiteral("約2290m"), QStringLiteral("出典：地理院タイル")}) {
            const PdfWord* word = findWord(words, text);
            QVERIFY2(word, qPrintable(text));
            QVERIFY2(leftHalf.contains(word->box), qPrintable(text));
        }

        const ProgramRun trace = render(
            {QStringLiteral("layout-drawing"), QStringLiteral("--location"), json,
             QStringLiteral("--trace")});
        int circles = 0, lines = 0;
        for (const QByteArray& line : trace.out.split('\n')) {
            circles += line.startsWith(R"({"op":"Circle")");
            lines += line.startsWith(R"({"op":"Line")");
        }
        QCOMPARE(circles, 2);
        QCOMPARE(lines, 4 + 1); // the frame's and the one between the places

        writeTestFile(json, R"({"version": 1, "picture": "map.png", "home": {"x": 1}})");
        QFile::remove(pdf);
        const ProgramRun bad = render({QStringLiteral("layout-drawing"),
                                       QStringLiteral("--location"), json, QStringLiteral("-o"),
                                       pdf});
        QVERIFY(bad.exitCode != 0);
        QVERIFY(bad.err.contains(QStringLiteral("home.y")));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(LocationTest)
#include "location_test.moc"
