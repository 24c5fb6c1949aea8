#include "document/picture_file.h"
#include "test_pictures.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace mivo;
using namespace testpictures;

class PictureFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

  private slots:
    // Each format the form offers, and a file whose name does not say what it holds.
    void readsPictures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("bmp") << "map.bmp" << encode(plain(40, 30), "BMP") << QSize(40, 30);
        QTest::newRow("jpeg") << "map.jpg" << encode(plain(64, 48), "JPEG") << QSize(64, 48);
        QTest::newRow("gif") << "map.gif" << gif(300, 200) << QSize(300, 200);
        QTest::newRow("png named .bmp")
            << "map.bmp" << encode(plain(12, 10), "PNG") << QSize(12, 10);
    }
    void readsPictures() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QVERIFY(writeFile(path(name), bytes));
        const PictureLoad load = loadPictureFile(path(name));
        QVERIFY2(load.ok(), qPrintable(load.error));
        QCOMPARE(load.picture.size(), size);
    }

    // The natural size: the file's own resolution where it states one, else 96 to the inch.
    void resolution_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("dotsPerMetre");
        QImage at300 = plain(30, 30);
        at300.setDotsPerMeterX(11811);
        at300.setDotsPerMeterY(11811);
        QTest::newRow("bmp stating 300 dpi") << encode(at300, "BMP") << 11811;
        QTest::newRow("jpeg stating 300 dpi") << encode(at300, "JPEG") << 11811;
        QTest::newRow("gif, which states none") << gif(8, 8) << 3780;
    }
    void resolution() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, dotsPerMetre);
        QVERIFY(writeFile(path("resolution"), bytes));
        const QImage picture = loadPictureFile(path("resolution")).picture;
        QCOMPARE_LE(qAbs(picture.dotsPerMeterX() - dotsPerMetre), 1);
        QCOMPARE_LE(qAbs(picture.dotsPerMeterY() - dotsPerMetre), 1);
    }

    // Files the decoders would refuse, or worse, half-read: each gives no picture and a
    // message that names the file.
    void refusesBadFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray jpeg = encode(plain(400, 300), "JPEG");
        const QByteArray bmp = encode(plain(400, 300), "BMP");
        const QByteArray wholeGif = gif(400, 300);
        QTest::newRow("zero bytes") << QByteArray() << "空のファイル";
        QTest::newRow("random bytes") << noise(5000) << "画像として読み取れません";
        QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() / 2) << "途中で切れて";
        QTest::newRow("jpeg cut inside a header") << jpeg.left(30) << "途中で切れて";
        QTest::newRow("jpeg without its end marker") << jpeg.chopped(2) << "途中で切れて";
        QTest::newRow("truncated bmp") << bmp.left(bmp.size() - 100) << "途中で切れて";
        QTest::newRow("truncated gif") << wholeGif.left(wholeGif.size() / 2) << "途中で切れて";
        QTest::newRow("gif claiming 65535 x 65535") << hugeGif() << "大きすぎて";
    }
    void refusesBadFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QVERIFY(writeFile(path("地図.bmp"), bytes));
        const PictureLoad load = loadPictureFile(path("地図.bmp"));
        QVERIFY(load.picture.isNull());
        QVERIFY2(load.error.contains(reason), qPrintable(load.error));
        QVERIFY(load.error.contains(QStringLiteral("「地図.bmp」")));
    }

    // Files made to hurt: each is refused with a message, at once, without a crash (a hang
    // would show as the test's time-out). `where` names something other than a file of
    // `bytes`: a FIFO, a device, a sparse file larger than any map.
    void refusesHostileFiles_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QString notAccepted = QStringLiteral("bmp、gif、jpg、png形式");
        const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='60000' "
                               "height='60000'><rect width='60000' height='60000'/></svg>";
        QTest::newRow("svg") << "" << svg << notAccepted;
        QTest::newRow("svgz named .bmp") << "" << gzip(svg) << notAccepted;
        QTest::newRow("xpm") << "" << encode(plain(4, 4), "XPM") << notAccepted;
        // 54 bytes claiming 0x7fffffff x 0x7fffffff at 65535 bits a pixel: the size sums
        // overflow 64 bits.
        QByteArray bmp = encode(plain(1, 1), "BMP").left(54);
        bmp.replace(18, 8, QByteArray("\xff\xff\xff\x7f\xff\xff\xff\x7f", 8));
        bmp.replace(28, 2, QByteArray("\xff\xff", 2));
        QTest::newRow("bmp with overflowing header") << "" << bmp << "壊れて";
        const QByteArray jpeg = encode(plain(400, 300), "JPEG");
        QTest::newRow("jpeg cut in half, end marker added")
            << "" << jpeg.left(jpeg.size() / 2) + "\xff\xd9"
            << "壊れて";
        const QByteArray png = encode(plain(400, 300), "PNG");
        QTest::newRow("truncated png") << "" << png.chopped(20) << "途中で切れて";
        QTest::newRow("fifo") << "fifo" << QByteArray() << "ふつうのファイルではない";
        QTest::newRow("/dev/zero") << "/dev/zero" << QByteArray() << "ふつうのファイルではない";
        QTest::newRow("folder") << "/" << QByteArray() << "ふつうのファイルではない";
        QTest::newRow("300 MB file") << "sparse" << png << "大きすぎて";
    }
    void refusesHostileFiles() {
        QFETCH(QString, where);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QString file = path("地図.bmp");
        QFile::remove(file);
        if (where == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (where == u"sparse")
            QVERIFY(writeFile(file, bytes) && QFile(file).resize(300LL * 1024 * 1024));
        else if (where.isEmpty())
            QVERIFY(writeFile(file, bytes));
        else
            file = where;
        const PictureLoad load = loadPictureFile(file);
        QVERIFY(load.picture.isNull());
        QVERIFY2(load.error.contains(reason), qPrintable(load.error));
    }

    void missingFile() {
        const PictureLoad load = loadPictureFile(path("nowhere.jpg"));
        QVERIFY(!load.ok());
        QVERIFY(load.error.contains(QStringLiteral("nowhere.jpg")));
    }

    // The limit is judged from the header, before anything is decoded: a BMP claiming
    // 8192 × 8192 pixels (256 MB decoded, just within) is only found short of data; one
    // more row is too large.
    void decodedSizeLimit_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("reason");
        QTest::newRow("at the limit") << 8192 << "途中で切れて";
        QTest::newRow("one row beyond") << 8193 << "大きすぎて";
    }
    void decodedSizeLimit() {
        QFETCH(int, height);
        QFETCH(QString, reason);
        QByteArray header = encode(plain(2, 2), "BMP");
        const auto setLe32 = [&header](int at, qint32 v) {
            for (int i = 0; i < 4; ++i)
                header[at + i] = char(v >> (8 * i) & 0xFF);
        };
        setLe32(18, 8192);
        setLe32(22, height);
        QVERIFY(writeFile(path("claim.bmp"), header));
        const PictureLoad load = loadPictureFile(path("claim.bmp"));
        QVERIFY2(load.error.contains(reason), qPrintable(load.error));
    }
};

QTEST_GUILESS_MAIN(PictureFileTest)

#include "picture_file_test.moc"
