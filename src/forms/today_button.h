#pragma once

#include <array>
#include <functional>

class QLineEdit;
class QToolButton;
class QWidget;

namespace mivo {

// 今日 for one date group: a small button that puts today's date (the 令和 year, the month and
// the day) into the group's three boxes, and Ctrl+; in any of them does the same; with
// `eraInYear` (a page whose date line prints no era) the year is written 令和8. `filled` runs
// after each time. The caller places the button.
QToolButton* addTodayButton(QWidget* parent, const std::array<QLineEdit*, 3>& boxes,
                            std::function<void()> filled = {}, bool eraInYear = false);

} // namespace mivo
