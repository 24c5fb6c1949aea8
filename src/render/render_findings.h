#pragma once

#include <QString>

namespace mivo {

class CurrentDocument;

// The findings of the document titled as `document` is (empty fields that matter, doubtful
// values, values that do not fit, and what the drawn 配置図 lacks), one line each on standard
// error after `where`: the field's index and name and what is expected, never the value.
// Returns whether one of them is more than an empty field (what --strict refuses).
bool reportFindings(const CurrentDocument& document, const QString& where = {});

} // namespace mivo
