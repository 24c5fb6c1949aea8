#pragma once

#include <QString>

class QLineEdit;

namespace mivo {

// Makes `box` refuse typing or a paste that would make its value longer than a value may be
// (or hold a NUL), whole, saying `message` beside it. A value set by the program (a stored
// case) is shown as it is, never cut.
void refuseLongValues(QLineEdit* box, const QString& message);

} // namespace mivo
