#include "page_ink.h"
#include "program_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// The six pages as they print today, pinned: each document's drawing operations, empty and with
// sample values, must match the trace checked in beside this test, operation by operation.
// A deliberate change to a page rewrites its trace with MIVO_UPDATE_GOLDEN=1 in the same commit.
class GoldenPageTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    const QDir pages_{QStringLiteral(MIVO_GOLDEN_PAGES)};

    static QByteArray render(const QStringList& arguments) {
        const ProgramRun run = runProgram(qEnvironmentVariable("MIVO_RENDER"), arguments);
        return run.exitCode == 0 ? run.out : QByteArray();
    }

    QString mapPicture(const QString& name, QSize size) const {
        QImage picture(size, QImage::Format_RGB888);
        picture.fill(Qt::gray);
        const QString path = dir_.filePath(name);
        return picture.save(path, "BMP") ? path : QString();
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void traceMatches_data() {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<QStringList>("arguments");
        const QStringList texts{
            QStringLiteral("power-of-attorney"), QStringLiteral("transfer-certificate"),
            QStringLiteral("consent-letter"), QStringLiteral("parking-consent-certificate"),
            QStringLiteral("self-declaration")};
        for (const QString& name : texts) {
            QTest::addRow("%s empty", qPrintable(name))
                << name + QStringLiteral(".empty.trace") << QStringList{name};
            QTest::addRow("%s sample", qPrintable(name))
                << name + QStringLiteral(".trace")
                << QStringList{name, QStringLiteral("--values"),
                               pages_.filePath(name + QStringLiteral(".json"))};
        }
        const QString drawing = QStringLiteral("layout-drawing");
        QTest::addRow("layout-drawing empty")
            << drawing + QStringLiteral(".empty.trace") << QStringList{drawing};
        QTest::addRow("layout-drawing sample")
            << drawing + QStringLiteral(".trace")
            << QStringList{drawing,
                           QStringLiteral("--left-map"),
                           mapPicture(QStringLiteral("left.bmp"), {300, 200}),
                           QStringLiteral("--right-map"),
                           mapPicture(QStringLiteral("right.bmp"), {250, 180}),
                           QStringLiteral("--number"),
                           QStringLiteral("品川 500 さ 1234")};
    }
    void traceMatches() {
        QFETCH(QString, golden);
        QFETCH(QStringList, arguments);
        const QByteArray trace = render(arguments << QStringLiteral("--trace"));
        QVERIFY2(!trace.isEmpty(), "mivo-render wrote no trace");

        QFile file(pages_.filePath(golden));
        if (qEnvironmentVariableIsSet("MIVO_UPDATE_GOLDEN")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(trace), trace.size());
            return;
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(golden + " is missing"));
        const QList<QByteArray> expected = file.readAll().split('\n');
        const QList<QByteArray> actual = trace.split('\n');
        for (qsizetype i = 0; i < qMax(expected.size(), actual.size()); ++i) {
            const QByteArray want = expected.value(i, "(end of page)");
            const QByteArray got = actual.value(i, "(end of page)");
            if (want != got)
                QFAIL(qPrintable(
                    QStringLiteral("operation %1 differs\n  expected: %2\n  actual:   %3")
                        .arg(i + 1)
                        .arg(QString::fromUtf8(want), QString::fromUtf8(got))));
        }
    }

    // A rule's thickness on a 300-dpi picture, measured as the ink in a 10 mm stretch of it
    // divided by the stretch's length in pixels: one dot is one pixel at this resolution.
    void rulesAreAsThickAsTheirPen_data() {
        QTest::addColumn<QRectF>("stretch"); // millimetres from the paper's corner
        QTest::addColumn<double>("dots");
        QTest::newRow("1-dot rule under the agent") << QRectF(40, 122.5, 10, 1) << 1.0;
        QTest::newRow("7-dot rule in the title box") << QRectF(100, 68.2, 10, 1.6) << 7.0;
    }
    void rulesAreAsThickAsTheirPen() {
        QFETCH(QRectF, stretch);
        QFETCH(double, dots);
        const QString png = dir_.filePath(QStringLiteral("page.png"));
        render({QStringLiteral("power-of-attorney"), QStringLiteral("-o"), png,
                QStringLiteral("--dpi"), QStringLiteral("300")});
        QImage page(png);
        QVERIFY(!page.isNull());
        page.setDotsPerMeterX(qRound(300 / 0.0254));
        const double pixels = stretch.width() * page.dotsPerMeterX() / 1000.0;
        const double thickness = inkIn(page, stretch) / pixels;
        QVERIFY2(qAbs(thickness - dots) < 0.35,
                 qPrintable(QStringLiteral("%1 dots thick").arg(thickness)));
    }
};

QTEST_GUILESS_MAIN(GoldenPageTest)
#include "golden_page_test.moc"
