#include "app/mdi_form1.h"
#include "app/toolbar_customize_dialog.h"
#include "forms/formview.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

using namespace mivo;

// Drives the customisation dialog of a real main window and reads the toolbar back.
class ToolbarCustomizeTest : public QObject {
    Q_OBJECT

  private:
    MDIForm1* main_ = nullptr;
    ToolbarCustomizeDialog* dialog_ = nullptr;

    QToolBar* toolbar() { return main_->findChild<QToolBar*>(QStringLiteral("Toolbar1")); }
    QListWidget* list(const char* name) {
        return dialog_->findChild<QListWidget*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) {
        return dialog_->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void click(const char* name) {
        QPushButton* pushed = button(name);
        QVERIFY2(pushed->isEnabled(), name);
        QTest::mouseClick(pushed, Qt::LeftButton);
    }
    // The toolbar as the user sees it, "|" for a separator.
    QStringList onToolbar() {
        QStringList keys;
        for (const QAction* action : toolbar()->actions())
            keys.append(action->isSeparator() ? QStringLiteral("|") : action->objectName());
        return keys;
    }
    static QStringList texts(const QListWidget* list) {
        QStringList shown;
        for (int row = 0; row < list->count(); ++row)
            shown.append(list->item(row)->text());
        return shown;
    }

  private slots:
    void init() {
        main_ = new MDIForm1;
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_));
        main_->findChild<QAction*>(QStringLiteral("mnuCustomize"))->trigger();
        dialog_ = main_->findChild<ToolbarCustomizeDialog*>();
        QVERIFY(dialog_ && dialog_->isVisible());
    }
    void cleanup() { delete main_; }

    void listsShowTheToolbarAndWhatElseItCanHold() {
        QCOMPARE(texts(list("current")),
                 (QStringList{"新規作成", "印刷", "印刷プレビュー", "基本情報"}));
        QCOMPARE(texts(list("available")), QStringList{"区切り"});
        list("current")->setCurrentRow(0);
        QVERIFY(!button("moveUp")->isEnabled());
        QVERIFY(button("moveDown")->isEnabled());
        list("current")->setCurrentRow(list("current")->count() - 1);
        QVERIFY(!button("moveDown")->isEnabled());
    }

    void reorderRemoveAddAndReset() {
        list("current")->setCurrentRow(1);
        click("moveUp");
        QCOMPARE(onToolbar(), (QStringList{"印刷", "新規作成", "印刷プレビュー", "基本情報"}));
        QCOMPARE(list("current")->currentRow(), 0);

        list("current")->setCurrentRow(1);
        click("remove");
        QCOMPARE(onToolbar(), (QStringList{"印刷", "印刷プレビュー", "基本情報"}));
        QCOMPARE(texts(list("available")), (QStringList{"区切り", "新規作成"}));

        // A separator goes in front of the chosen button, and may be added more than once.
        list("available")->setCurrentRow(0);
        list("current")->setCurrentRow(0);
        click("add");
        click("add");
        QCOMPARE(onToolbar(), (QStringList{"|", "|", "印刷", "印刷プレビュー", "基本情報"}));
        QCOMPARE(texts(list("available")), (QStringList{"区切り", "新規作成"}));

        click("reset");
        QCOMPARE(onToolbar(), (QStringList{"新規作成", "印刷", "印刷プレビュー", "基本情報"}));
        QCOMPARE(texts(list("available")), QStringList{"区切り"});
        // Separators taken off the toolbar do not linger.
        QCOMPARE(toolbar()->findChildren<QAction*>().size(), 1); // the show/hide action
    }

    void emptyToolbarTakesButtonsBack() {
        while (list("current")->count() > 0) {
            list("current")->setCurrentRow(0);
            click("remove");
        }
        QVERIFY(onToolbar().isEmpty());
        QVERIFY(!button("remove")->isEnabled());
        QListWidget* available = list("available");
        const QPoint printItem = available->visualItemRect(available->item(2)).center();
        QTest::mouseClick(available->viewport(), Qt::LeftButton, {}, printItem);
        QTest::mouseDClick(available->viewport(), Qt::LeftButton, {}, printItem);
        QCOMPARE(onToolbar(), QStringList{"印刷"});
    }

    // A button put back in another place still runs its command.
    void movedButtonStillWorks() {
        list("current")->setCurrentRow(0);
        click("remove");
        list("available")->setCurrentRow(1);
        list("current")->setCurrentRow(-1);
        click("add");
        QCOMPARE(onToolbar(), (QStringList{"印刷", "印刷プレビュー", "基本情報", "新規作成"}));
        click("close");
        QVERIFY(!dialog_->isVisible());

        QAction* newButton = toolbar()->actions().last();
        QTest::mouseClick(toolbar()->widgetForAction(newButton), Qt::LeftButton);
        QVERIFY(!main_->isEnabled()); // the chooser is open
        QCOMPARE(onToolbar(), (QStringList{"印刷", "印刷プレビュー", "基本情報", "新規作成"}));
        for (QWidget* widget : QApplication::topLevelWidgets())
            delete qobject_cast<Formview*>(widget);
    }
};

QTEST_MAIN(ToolbarCustomizeTest)
#include "toolbar_customize_test.moc"
