#include "chooser_driver.h"
#include "fake_prompts.h"

#include "document/document_kind.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

using namespace mivo;

class FormviewTest : public QObject {
    Q_OBJECT

    // The button a user sees at the place of cmdsyo(index), whichever page is in front.
    static QWidget* buttonSeenAt(Formview* formview, int index) {
        QToolButton* button = chooser::button(formview, index);
        return formview->childAt(button->mapTo(formview, button->rect().center()));
    }

    static void verifyInFront(Formview* formview, std::initializer_list<int> indices) {
        for (int index : indices)
            QCOMPARE(buttonSeenAt(formview, index), chooser::button(formview, index));
    }

  private slots:
    void cleanup() { qDeleteAll(QApplication::topLevelWidgets()); }

    void opensOnTheParkingTabWithItsButtonsInFront() {
        MDIForm1 main;
        Formview* formview = chooser::open(main);
        QCOMPARE(formview->windowTitle(), QStringLiteral(" 新規書類"));
        verifyInFront(formview, {1, 2, 3});
    }

    void eachTabBringsItsOwnButtonsToTheFront() {
        MDIForm1 main;
        Formview* formview = chooser::open(main);
        chooser::selectTab(formview, 1);
        verifyInFront(formview, {4, 5, 6});
        chooser::selectTab(formview, 0);
        verifyInFront(formview, {1, 2, 3});
    }

    // The main window is disabled, the chooser and its buttons are not.
    void staysUsableWhileTheMainWindowIsDisabled() {
        MDIForm1 main;
        main.show();
        Formview* formview = chooser::open(main);
        QVERIFY(!main.isEnabled());
        QVERIFY(formview->isEnabled());
        QVERIFY(chooser::button(formview, 1)->isEnabled());
    }

    // Tab walks only the buttons the user sees; a covered one would open an unseen document.
    void tabWalksTheVisiblePageOnly_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("visited");
        QTest::newRow("車 庫 証 明")
            << 0 << QStringList{"cmdsyo(1)", "cmdsyo(2)", "cmdsyo(3)", "Command1", "TabStrip1"};
        QTest::newRow("名 義 変 更")
            << 1 << QStringList{"cmdsyo(4)", "cmdsyo(5)", "cmdsyo(6)", "Command1", "TabStrip1"};
    }
    void tabWalksTheVisiblePageOnly() {
        QFETCH(int, tab);
        QFETCH(QStringList, visited);
        MDIForm1 main;
        Formview* formview = chooser::open(main);
        QApplication::setActiveWindow(formview);
        auto* tabStrip = formview->findChild<QTabBar*>(QStringLiteral("TabStrip1"));
        tabStrip->setFocus();
        QTest::keyClick(tabStrip, tab == 0 ? Qt::Key_Left : Qt::Key_Right);
        QCOMPARE(tabStrip->currentIndex(), tab);
        QStringList seen;
        for (qsizetype i = 0; i < visited.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, visited);
        // Space on the first button opens the document it shows.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(main.document().title(), tab == 0 ? titleOf(DocumentKind::SelfDeclaration)
                                                   : titleOf(DocumentKind::PowerOfAttorney));
    }

    void escapeClosesTheChooserAsCancelDoes() {
        MDIForm1 main;
        QPointer<Formview> formview = chooser::open(main);
        QApplication::setActiveWindow(formview);
        chooser::button(formview, 2)->setFocus();
        QTest::keyClick(formview, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(formview.isNull());
        QVERIFY(main.isEnabled());
        QVERIFY(!main.document().isOpen());
    }

    // The title written is the document's, not the button's caption.
    void pickingTheTransferCertificateWritesItsTitle() {
        MDIForm1 main;
        chooser::pick(main, 5);
        QCOMPARE(main.document().title(), QStringLiteral("譲渡証明書"));
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("譲渡証明書"));
        QCOMPARE(chooser::forms(main).size(), 1);
        QCOMPARE(chooser::forms(main).first()->windowTitle(), QStringLiteral("譲渡証明書"));
    }

    void eachPickShowsOnlyItsOwnPage_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("firstField");
        QTest::newRow("自認書") << 1 << titleOf(DocumentKind::SelfDeclaration) << 2 << "tx(30)";
        QTest::newRow("保管場所証明書")
            << 2 << titleOf(DocumentKind::ParkingConsentCertificate) << 4 << "tx(0)";
        QTest::newRow("委任状") << 4 << titleOf(DocumentKind::PowerOfAttorney) << 0 << "tx(62)";
        QTest::newRow("譲渡証明書")
            << 5 << titleOf(DocumentKind::TransferCertificate) << 1 << "tx(40)";
        QTest::newRow("承諾書") << 6 << titleOf(DocumentKind::ConsentLetter) << 3 << "tx(22)";
    }
    void eachPickShowsOnlyItsOwnPage() {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(int, page);
        QFETCH(QString, firstField);
        MDIForm1 main;
        main.show();
        const QPointer<Formview> formview = chooser::pick(main, index);

        QVERIFY(formview.isNull());
        QVERIFY(main.isEnabled());
        QCOMPARE(main.document().title(), title);
        const QList<Frminin*> forms = chooser::forms(main);
        QCOMPARE(forms.size(), 1);
        Frminin* form = forms.first();
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), title);
        for (int k = 0; k < Frminin::PageCount; ++k) {
            auto* frame = form->findChild<QWidget*>(QStringLiteral("Frame1(%1)").arg(k));
            QCOMPARE(frame->isVisible(), k == page);
        }
        QCOMPARE(form->focusWidget()->objectName(), firstField);
    }

    // The keyboard starts on the first document; Enter opens the one whose button has the
    // focus, as Space does.
    void enterOpensTheFocusedDocument() {
        MDIForm1 main;
        QPointer<Formview> formview = chooser::open(main);
        QApplication::setActiveWindow(formview);
        QTRY_COMPARE(QApplication::focusWidget(), chooser::button(formview, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), chooser::button(formview, 2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(formview.isNull());
        QCOMPARE(main.document().title(), documents()[1].title);
    }

    // Whatever was picked, New opens no chooser until that document's window closes: it asks
    // to close it first.
    void newIsIgnoredUntilThePickedDocumentCloses_data() {
        QTest::addColumn<int>("index");
        for (int index = 1; index <= 6; ++index)
            QTest::addRow("cmdsyo(%d)", index) << index;
    }
    void newIsIgnoredUntilThePickedDocumentCloses() {
        QFETCH(int, index);
        MDIForm1 main(std::make_unique<FakePrompts>()); // answering no
        main.show();
        chooser::pick(main, index);
        const QList<QMdiSubWindow*> windows = main.mdiArea()->subWindowList();
        QCOMPARE(windows.size(), 1);

        QVERIFY(!chooser::open(main));
        QVERIFY(main.isEnabled());
        QCOMPARE(main.mdiArea()->subWindowList(), windows);

        windows.first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser::open(main));
        QVERIFY(!main.isEnabled());
    }

    // The layout drawing has a form of its own.
    void pickingTheLayoutDrawingOpensNoDataEntryForm() {
        MDIForm1 main;
        main.show();
        const QPointer<Formview> formview = chooser::pick(main, 3);
        QVERIFY(formview.isNull());
        QVERIFY(main.isEnabled());
        QVERIFY(chooser::forms(main).isEmpty());
        QCOMPARE(main.document().title(), titleOf(DocumentKind::LayoutDrawing));
    }

    void closingOrCancellingOpensNothing_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("close box") << false;
        QTest::newRow("キャンセル") << true;
    }
    void closingOrCancellingOpensNothing() {
        QFETCH(bool, cancel);
        MDIForm1 main;
        QPointer<Formview> formview = chooser::open(main);
        if (cancel)
            QTest::mouseClick(formview->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        else
            formview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(formview.isNull());
        QVERIFY(main.isEnabled());
        QVERIFY(!main.document().isOpen());
        QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    }
};

QTEST_MAIN(FormviewTest)
#include "formview_test.moc"
