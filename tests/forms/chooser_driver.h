#pragma once

#include "app/mdi_form1.h"
#include "forms/formview.h"
#include "forms/frminin.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QMdiArea>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

// Drives the chooser as a user does: the main window's New opens it; a pick selects the
// button's tab and clicks the button.
namespace chooser {

// The open chooser, or nullptr.
inline mivo::Formview* current() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* formview = qobject_cast<mivo::Formview*>(widget);
            formview && formview->isVisible())
            return formview;
    }
    return nullptr;
}

inline void trigger(mivo::MDIForm1& main, const char* action) {
    main.findChild<QAction*>(QLatin1StringView(action))->trigger();
}

inline mivo::Formview* open(mivo::MDIForm1& main) {
    trigger(main, "sinki");
    return current();
}

inline QToolButton* button(mivo::Formview* formview, int index) {
    return formview->findChild<QToolButton*>(QStringLiteral("cmdsyo(%1)").arg(index));
}

inline void selectTab(mivo::Formview* formview, int tab) {
    auto* tabStrip = formview->findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    QTest::mouseClick(tabStrip, Qt::LeftButton, {}, tabStrip->tabRect(tab).center());
}

// Returns the chooser, which is gone after the pick.
inline QPointer<mivo::Formview> pick(mivo::MDIForm1& main, int index) {
    QPointer<mivo::Formview> formview = open(main);
    selectTab(formview, index <= 3 ? 0 : 1);
    QTest::mouseClick(button(formview, index), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return formview;
}

// Japanese text arrives through the input method, committed a phrase at a time.
inline void typeThroughInputMethod(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(widget, &event);
}

inline QList<mivo::Frminin*> forms(mivo::MDIForm1& main) {
    return main.mdiArea()->findChildren<mivo::Frminin*>();
}

} // namespace chooser
