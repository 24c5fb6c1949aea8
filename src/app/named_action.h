#pragma once

#include <QAction>
#include <QKeySequence>
#include <QString>

namespace mivo {

// A menu command known by its object name (tests and the toolbar find it by that name).
inline QAction* namedAction(QObject* parent, const char* name, const QString& text,
                            const QKeySequence& shortcut = {}) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QLatin1StringView(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace mivo
