#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

// Deletes every top-level window a test left open. A form takes its own pop-ups, top-level
// widgets too, with it, so each is held by a guard that notices.
inline void deleteTopLevelWindows() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows.append(widget);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
}
