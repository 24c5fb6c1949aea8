#include "chooser_driver.h"

#include "document/document_kind.h"

#include <QDir>
#include <QScreen>
#include <QScrollBar>

using namespace mivo;

// Pictures of the chooser and of each page as a real X server shows them, kept under
// $MIVO_ARTIFACTS/forms for a person to look at; and what only a real X server shows truly:
// the main window's scrolling.
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

    // In a main window smaller than the page, the view starts at the top-left, every box Tab
    // reaches is scrolled into view, and each bar's page is the part in view.
    void smallWindowFollowsTab() {
        MDIForm1 main;
        main.setGeometry(20, 40, 600, 450);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        chooser::pick(main, 4);
        main.activateWindow(); // no window manager gives it back when the chooser closes
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QWidget* viewport = main.mdiArea()->viewport();
        QScrollBar* bars[] = {main.mdiArea()->horizontalScrollBar(),
                              main.mdiArea()->verticalScrollBar()};
        QWidget* const first = QApplication::focusWidget();
        for (int tab = 0;; ++tab) {
            QWidget* box = QApplication::focusWidget();
            QVERIFY(box && viewport->isAncestorOf(box));
            QCoreApplication::processEvents();
            const QRect shown(box->mapTo(viewport, QPoint(0, 0)), box->size());
            QVERIFY2(viewport->rect().contains(shown), qPrintable(box->objectName()));
            QCOMPARE(QSize(bars[0]->pageStep(), bars[1]->pageStep()), viewport->size());
            for (QScrollBar* bar : bars)
                QVERIFY(bar->maximum() > 0 && (tab > 0 || bar->value() == bar->minimum()));
            if (tab > 0 && box == first)
                break;
            QVERIFY(tab < 60);
            QTest::keyClick(box, Qt::Key_Tab);
        }
    }
};

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
