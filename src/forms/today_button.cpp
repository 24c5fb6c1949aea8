#include "forms/today_button.h"

#include "document/value_text.h"
#include "particulars/reiwa_date.h"

#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

namespace mivo {

QToolButton* addTodayButton(QWidget* parent, const std::array<QLineEdit*, 3>& boxes,
                            std::function<void()> filled, bool eraInYear) {
    auto fill = [boxes, filled, eraInYear] {
        const ReiwaDate today = reiwaToday();
        boxes[0]->setText(eraInYear ? withEra(today.year) : today.year);
        boxes[1]->setText(today.month);
        boxes[2]->setText(today.day);
        if (filled)
            filled();
    };
    auto* button = new QToolButton(parent);
    button->setText(QStringLiteral("今日"));
    button->setToolTip(QStringLiteral("今日の日付を入れる（Ctrl+;）"));
    // Out of the Tab chain: the date boxes are reached by Tab, and Ctrl+; works in each.
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, button, fill);
    for (QLineEdit* box : boxes) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Semicolon), box);
        shortcut->setContext(Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, button, fill);
    }
    return button;
}

} // namespace mivo
