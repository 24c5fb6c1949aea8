#pragma once

#include <QString>

namespace mivo {

// A field's value in the form its page expects, whatever way it was typed: a postal code as
// 176-0001, telephone parts in half-width, the police station once before the page's
// 警察署長, and a year after a printed 令和 as its number (2026 → 8). Other values as typed.
QString printedForm(int field, const QString& value);

} // namespace mivo
