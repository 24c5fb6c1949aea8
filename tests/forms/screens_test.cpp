#include "chooser_driver.h"

#include "document/document_kind.h"

#include <QDir>
#include <QScreen>

using namespace mivo;

// Pictures of the chooser and of each page as a real X server shows them, kept under
// $MIVO_ARTIFACTS/forms for a person to look at.
class ScreensTest : public QObject {
    Q_OBJECT

    QDir artifacts_;

    void keep(const QString& name) {
        QCoreApplication::processEvents();
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        QVERIFY(!screen.isNull());
        QVERIFY(screen.save(artifacts_.filePath(name + QStringLiteral(".png"))));
    }

  private slots:
    void initTestCase() {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs a real X server");
        artifacts_.setPath(qEnvironmentVariable("MIVO_ARTIFACTS", QDir::tempPath()) +
                           QStringLiteral("/forms"));
        QVERIFY(artifacts_.mkpath(QStringLiteral(".")));
    }

    void chooser() {
        MDIForm1 main;
        main.setGeometry(20, 40, 1000, 800);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Formview* formview = chooser::open(main);
        QVERIFY(QTest::qWaitForWindowExposed(formview));
        keep(QStringLiteral("chooser-parking"));
        chooser::selectTab(formview, 1);
        keep(QStringLiteral("chooser-registration"));
        formview->close();
    }

    void page_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("self-declaration") << 1;
        QTest::newRow("parking-consent-certificate") << 2;
        QTest::newRow("power-of-attorney") << 4;
        QTest::newRow("transfer-certificate") << 5;
        QTest::newRow("consent-letter") << 6;
    }
    void page() {
        QFETCH(int, index);
        MDIForm1 main;
        main.setGeometry(20, 40, 1000, 800);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        chooser::pick(main, index);
        QVERIFY(QTest::qWaitForWindowExposed(chooser::forms(main).first()));
        keep(QString::fromLatin1(QTest::currentDataTag()));
    }
};

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
