#include "app/mdi_form1.h"
#include "app/print_service.h"
#include "app/var.h"
#include "document/document_kind.h"
#include "fake_print_service.h"
#include "fake_prompts.h"
#include "forms/formview.h"
#include "pdf_words.h"
#include "print/output.h"
#include "print/recording_surface.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

using namespace mivo;

namespace {

// A document window whose closing step is the test's.
class ChildWindow : public QWidget {
  public:
    std::function<void()> onClose;

  protected:
    void closeEvent(QCloseEvent* event) override {
        onClose();
        event->accept();
    }
};

QList<Formview*> choosers() {
    QList<Formview*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* chooser = qobject_cast<Formview*>(widget); chooser && chooser->isVisible())
            found.append(chooser);
    }
    return found;
}

var* versionBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<var*>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    QPointer<MDIForm1> main_;
    FakePrintService* printer_ = nullptr;
    FakePrompts* prompts_ = nullptr;

    template <typename T> T* child(const char* name) {
        T* found = main_->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    QToolBar* toolbar() { return child<QToolBar>("Toolbar1"); }
    void clickToolbarButton(const QString& key) {
        QAction* button = main_->findChild<QAction*>(key);
        QVERIFY(button && toolbar()->actions().contains(button));
        QTest::mouseClick(toolbar()->widgetForAction(button), Qt::LeftButton);
    }
    void run(const QString& command) {
        if (command == QLatin1String("menu"))
            child<QAction>("mneprint")->trigger();
        else
            clickToolbarButton(QStringLiteral("印刷"));
    }
    void openPowerOfAttorney() {
        main_->document().setTitle(titleOf(DocumentKind::PowerOfAttorney));
        main_->document().fields().setValue(62, QStringLiteral("山田太郎"));
        main_->document().fields().setValue(78, QStringLiteral("東京都"));
    }
    void verifyPowerOfAttorneyKept() {
        QCOMPARE(main_->document().title(), titleOf(DocumentKind::PowerOfAttorney));
        QCOMPARE(main_->document().fields().value(62), QStringLiteral("山田太郎"));
        QCOMPARE(main_->document().fields().value(78), QStringLiteral("東京都"));
        QCOMPARE(child<QLabel>("Label1")->text(), titleOf(DocumentKind::PowerOfAttorney));
        QVERIFY(main_->isVisible());
        QVERIFY(main_->isEnabled());
    }
    // Runs the event loop as the program does, until the run ends or `limitMs` passes.
    bool runEnds(int limitMs) {
        bool timedOut = false;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, qApp, [&] {
            timedOut = true;
            QCoreApplication::exit(1); // quit() would ask the windows first, and they may refuse
        });
        limit.start(limitMs);
        QApplication::setQuitOnLastWindowClosed(true);
        QApplication::exec();
        QApplication::setQuitOnLastWindowClosed(false);
        return !timedOut;
    }

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        auto prompts = std::make_unique<FakePrompts>();
        prompts_ = prompts.get();
        main_ = new MDIForm1(std::move(prompts));
        auto printer = std::make_unique<FakePrintService>();
        printer_ = printer.get();
        main_->setPrintService(std::move(printer));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_));
    }

    void cleanup() {
        delete main_;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->parentWidget())
                delete widget;
        }
    }

    void startsIdleWithEverythingInPlace() {
        QCOMPARE(main_->windowTitle(), QStringLiteral("Mivo書類発行"));
        QVERIFY(toolbar()->isVisible());
        QVERIFY(child<QAction>("mnuToolbar")->isChecked());
        QVERIFY(child<QLabel>("Label1")->text().isEmpty());
        QCOMPARE(toolbar()->actions().size(), 4);
        for (QAction* button : toolbar()->actions()) {
            QVERIFY(!button->icon().isNull());
            QCOMPARE(toolbar()->widgetForAction(button)->property("toolButtonStyle").toInt(),
                     int(Qt::ToolButtonIconOnly));
        }
        QVERIFY(!main_->windowIcon().isNull());
    }

    // The label shows the model's title, whoever sets it.
    void labelFollowsTheDocument() {
        auto* label = child<QLabel>("Label1");
        main_->document().setTitle(titleOf(DocumentKind::LayoutDrawing));
        QCOMPARE(label->text(), titleOf(DocumentKind::LayoutDrawing));
        main_->document().clear();
        QVERIFY(label->text().isEmpty());
    }

    void newOpensTheChooserAndDisablesTheWindow_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("menu") << QStringLiteral("menu");
        QTest::newRow("toolbar") << QStringLiteral("toolbar");
    }
    void newOpensTheChooserAndDisablesTheWindow() {
        QFETCH(QString, from);
        if (from == QLatin1String("menu"))
            child<QAction>("sinki")->trigger();
        else
            clickToolbarButton(QStringLiteral("新規作成"));
        QCOMPARE(choosers().size(), 1);
        QVERIFY(!main_->isEnabled());
        // The chooser is the one window that takes input while the main window is disabled.
        Formview* chooser = choosers().first();
        QVERIFY(chooser->isEnabled());
        // A disabled main window takes no command, its close box included.
        main_->close();
        QVERIFY(main_->isVisible());
        delete chooser;
        main_->setEnabled(true);
    }

    // One document at a time: 新規作成 offers to close the open one, and keeps it on no.
    void newWhileADocumentIsOpenAsksToCloseIt_data() {
        newOpensTheChooserAndDisablesTheWindow_data();
    }
    void newWhileADocumentIsOpenAsksToCloseIt() {
        QFETCH(QString, from);
        openPowerOfAttorney();
        auto* form = new ChildWindow;
        form->onClose = [this] { main_->document().clear(); };
        main_->mdiArea()->addSubWindow(form)->show();
        const auto startNew = [&] {
            if (from == QLatin1String("menu"))
                child<QAction>("sinki")->trigger();
            else
                clickToolbarButton(QStringLiteral("新規作成"));
        };
        prompts_->answer = false;
        startNew();
        QVERIFY(choosers().isEmpty());
        verifyPowerOfAttorneyKept();
        QCOMPARE(prompts_->questions,
                 QStringList{QStringLiteral("開いている書類を閉じて続けますか？")});
        prompts_->answer = true;
        startNew();
        QVERIFY(!main_->document().isOpen());
        QCOMPARE(choosers().size(), 1);
        delete choosers().first();
        main_->setEnabled(true);
    }

    // The menu item follows the document, also while the menu is closed: Ctrl+P must not stay
    // dead after the menu was once opened without a document.
    void printMenuItemFollowsTheDocument() {
        auto* file = child<QMenu>("file");
        auto* print = child<QAction>("mneprint");
        file->popup(QPoint());
        QVERIFY(!print->isEnabled());
        file->hide();

        main_->document().setTitle(titleOf(DocumentKind::ConsentLetter));
        QVERIFY(print->isEnabled());
        QTest::keyClick(main_, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!printer_->surface.operations().empty());
        file->popup(QPoint());
        QVERIFY(print->isEnabled());
        file->hide();

        main_->document().clear();
        file->popup(QPoint());
        QVERIFY(!print->isEnabled());
        file->hide();
    }

    void toolbarPrintWithoutADocumentDoesNothing() {
        clickToolbarButton(QStringLiteral("印刷"));
        QVERIFY(printer_->surface.operations().empty());
        QVERIFY(prompts_->warnings.isEmpty() && prompts_->questions.isEmpty());
        QVERIFY(main_->isEnabled());
    }

    void printSendsTheOpenDocument_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("menu") << QStringLiteral("menu");
        QTest::newRow("toolbar") << QStringLiteral("toolbar");
    }
    void printSendsTheOpenDocument() {
        QFETCH(QString, from);
        openPowerOfAttorney();
        run(from);
        QVERIFY(printer_->surface.toJsonLines().contains("山田太郎"));
        QVERIFY(prompts_->warnings.isEmpty());
        verifyPowerOfAttorneyKept();
    }

    // The standard keys, shown beside their menu items.
    void shortcuts() {
        QCOMPARE(child<QAction>("sinki")->shortcut(), QKeySequence(QKeySequence::New));
        QCOMPARE(child<QAction>("mneprint")->shortcut(), QKeySequence(QKeySequence::Print));
        QCOMPARE(child<QAction>("close")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
        QVERIFY(child<QMenu>("file")->actions().contains(child<QAction>("close")));

        QTest::keyClick(main_, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(choosers().size(), 1);
        choosers().first()->close();
        QVERIFY(main_->isEnabled());

        bool closed = false;
        auto* document = new ChildWindow;
        document->onClose = [&] { closed = true; };
        main_->mdiArea()->addSubWindow(document)->show();
        main_->mdiArea()->setActiveSubWindow(main_->mdiArea()->subWindowList().first());
        QTest::keyClick(main_, Qt::Key_F4, Qt::ControlModifier);
        QVERIFY(closed);
    }

    // Each menu's access keys are its own: two items on one key only move the highlight
    // between them and neither runs.
    void accessKeysAreUnique() {
        for (QMenu* menu : main_->menuBar()->findChildren<QMenu*>()) {
            QHash<QChar, QString> taken;
            for (QAction* action : menu->actions()) {
                const qsizetype amp = action->text().indexOf(u'&');
                if (amp < 0 || amp + 1 >= action->text().size())
                    continue;
                const QChar key = action->text().at(amp + 1).toUpper();
                QVERIFY2(!taken.contains(key),
                         qPrintable(taken.value(key) + QStringLiteral(" / ") + action->text()));
                taken.insert(key, action->text());
            }
        }
    }

    // A stopped printer takes the job only when the user says so; a printer that refuses jobs
    // is reported before anything is sent. The status bar says where the page went.
    void printerStateIsToldBeforeSending_data() {
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<bool>("accepting");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<bool>("sent");
        QTest::newRow("ready") << false << true << false << 0 << 0 << true;
        QTest::newRow("stopped, sent") << true << true << true << 1 << 0 << true;
        QTest::newRow("stopped, not sent") << true << true << false << 1 << 0 << false;
        QTest::newRow("refusing jobs") << false << false << true << 0 << 1 << false;
    }
    void printerStateIsToldBeforeSending() {
        QFETCH(bool, stopped);
        QFETCH(bool, accepting);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(int, warnings);
        QFETCH(bool, sent);
        openPowerOfAttorney();
        printer_->state.stopped = stopped;
        printer_->state.accepting = accepting;
        prompts_->answer = answer;
        run(QStringLiteral("menu"));

        QCOMPARE(prompts_->questions.size(), questions);
        QCOMPARE(prompts_->warnings.size(), warnings);
        for (const QString& said : prompts_->questions + prompts_->warnings)
            QVERIFY2(said.contains(printer_->state.name), qPrintable(said));
        QCOMPARE(!printer_->surface.operations().empty(), sent);
        const QString status = main_->statusBar()->currentMessage();
        QCOMPARE(status.contains(printer_->state.name), sent);
        verifyPowerOfAttorneyKept();
    }

    void toolbarToggleHidesAndShowsTheTitleWithIt() {
        openPowerOfAttorney();
        auto* toggle = child<QAction>("mnuToolbar");
        auto* label = child<QLabel>("Label1");
        QVERIFY(label->isVisible());

        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QVERIFY(!toolbar()->isVisible());
        QVERIFY(!label->isVisible());
        run(QStringLiteral("menu"));
        QVERIFY(printer_->surface.toJsonLines().contains("東京都"));

        toggle->trigger();
        QVERIFY(toggle->isChecked());
        QVERIFY(toolbar()->isVisible());
        QVERIFY(label->isVisible());
        verifyPowerOfAttorneyKept();
    }

    void exitClosesTheDocumentWindowFirstAndEndsTheRun() {
        openPowerOfAttorney();
        QPointer<ChildWindow> form = new ChildWindow;
        bool mainVisibleWhileFormClosed = false;
        // The form must not outlive this test's state when the main window fails to close it.
        const auto forget = qScopeGuard([&] { delete form; });
        form->onClose = [&] {
            mainVisibleWhileFormClosed = main_->isVisible();
            main_->document().clear();
        };
        main_->mdiArea()->addSubWindow(form)->show();

        QTimer::singleShot(0, child<QAction>("exit"), &QAction::trigger);
        QVERIFY(runEnds(5000));
        QVERIFY(mainVisibleWhileFormClosed);
        QVERIFY(!main_->isVisible());
        QVERIFY(!main_->document().isOpen());
        QVERIFY(main_->document().fields().value(62).isEmpty());
    }

    void exitLeavesTheVersionBoxRunning() {
        child<QAction>("ver")->trigger();
        QPointer<var> box = versionBox();
        QVERIFY(box);
        bool boxOpenAfterExit = false;
        QTimer::singleShot(0, child<QAction>("exit"), &QAction::trigger);
        QTimer::singleShot(200, box, [&] {
            boxOpenAfterExit = box->isVisible() && !main_->isVisible();
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        QVERIFY(runEnds(5000));
        QVERIFY(boxOpenAfterExit);
        QVERIFY(!box); // closed and gone
    }

    void versionBoxStandsBesideADocument() {
        openPowerOfAttorney();
        child<QAction>("ver")->trigger();
        child<QAction>("ver")->trigger();
        var* box = versionBox();
        QVERIFY(box);
        int boxes = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            boxes += qobject_cast<var*>(widget) != nullptr;
        QCOMPARE(boxes, 1);
        QVERIFY(!box->parentWidget());
        QCOMPARE(box->windowType(), Qt::Tool);
        QCOMPARE(box->windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(box->minimumSize(), box->maximumSize());
        QVERIFY(
            !(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(main_->isEnabled());

        auto* ok = box->findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(box->focusWidget(), ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QTRY_VERIFY(!versionBox());
        verifyPowerOfAttorneyKept();
    }

    void failingPrintSaysWhyAndKeepsTheDocument_data() { printSendsTheOpenDocument_data(); }
    void failingPrintSaysWhyAndKeepsTheDocument() {
        QFETCH(QString, from);
        openPowerOfAttorney();
        printer_->surface.failFromOperation(10);
        run(from);
        QCOMPARE(prompts_->warnings.size(), 1);
        QVERIFY(prompts_->warnings.first().startsWith(QStringLiteral("印刷できませんでした。")));
        QVERIFY(prompts_->warnings.first().contains(
            QStringLiteral("プリンタでエラーが発生しました。")));
        QVERIFY(prompts_->questions.isEmpty());
        QVERIFY(printer_->surface.cancelled());
        verifyPowerOfAttorneyKept();
    }

    void withoutAPrinterThePageCanBeSavedAsPdf() {
        QTemporaryDir dir;
        openPowerOfAttorney();
        printer_->printerInstalled = false;
        printer_->surface.failFromOperation(0);
        prompts_->answer = true;
        prompts_->path = dir.filePath(QStringLiteral("委任状.pdf"));
        clickToolbarButton(QStringLiteral("印刷"));

        QCOMPARE(prompts_->questions.size(), 1);
        QVERIFY(prompts_->questions.first().contains(QStringLiteral("PDF")));
        QCOMPARE(prompts_->suggestedNames, QStringList{QStringLiteral("委任状.pdf")});
        QVERIFY(prompts_->warnings.isEmpty());
        QFile pdf(prompts_->path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const std::vector<PdfWord> words = readPdfWords(pdf.readAll());
        QVERIFY(findWord(words, QStringLiteral("山田太郎")));
        verifyPowerOfAttorneyKept();
    }

    // Declining, cancelling the file dialog and a folder that cannot be written to all leave
    // no file, and only the last is a failure to report.
    void pdfInsteadOfPrintingCanBeDeclinedOrFail_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("warned");
        QTest::newRow("declined") << false << QStringLiteral("out.pdf") << false;
        QTest::newRow("dialog cancelled") << true << QString() << false;
        QTest::newRow("folder missing") << true << QStringLiteral("missing/out.pdf") << true;
    }
    void pdfInsteadOfPrintingCanBeDeclinedOrFail() {
        QFETCH(bool, answer);
        QFETCH(QString, path);
        QFETCH(bool, warned);
        QTemporaryDir dir;
        openPowerOfAttorney();
        printer_->printerInstalled = false;
        printer_->surface.failFromOperation(0);
        prompts_->answer = answer;
        prompts_->path = path.isEmpty() ? path : dir.filePath(path);
        run(QStringLiteral("menu"));

        QCOMPARE(prompts_->questions.size(), 1);
        QCOMPARE(prompts_->suggestedNames.size(), answer ? 1 : 0);
        QCOMPARE(prompts_->warnings.size(), warned ? 1 : 0);
        if (warned)
            QVERIFY(prompts_->warnings.first().startsWith(
                QStringLiteral("PDF ファイルを保存できませんでした。")));
        QVERIFY(QDir(dir.path()).isEmpty());
        verifyPowerOfAttorneyKept();
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
