#pragma once

#include "document/document_kind.h"

#include <QList>
#include <QString>

#include <optional>

namespace mivo {

class FieldStore;

// What is expected of field `index`'s value, in words for the user, when the value is doubtful:
// a date that does not exist, a postal code that is not seven digits or that the postal table
// does not know, a telephone part that is not digits, a vehicle code that is not half-width
// letters, digits and hyphens. Nothing for a value as expected, an empty one or free text.
// The date's other parts are read from `fields`.
std::optional<QString> doubtAbout(int index, const FieldStore& fields);

// A field named for the user, never by its value: its block of the form, and its caption
// where that is a short label (使用者 住所, 日付・年).
QString fieldName(int index);

// What the user may want to know before printing a document.
struct Finding {
    enum class Kind {
        Empty,      // a field that matters (a name, an address, a date, the vehicle)
        Doubtful,   // see doubtAbout
        DoesNotFit, // even condensed and smaller, the value does not fit its gap
    };
    int field;
    Kind kind;
    QString what; // what is expected, or that it is empty or does not fit
};

// The findings on the fields `within` (one document's), in the order of its boxes.
QList<Finding> findingsFor(FieldRun within, const FieldStore& fields);

// One line for a finding, naming the field by fieldName and never by its value:
// 「日付・月: 月は1〜12で入力します」.
QString findingLine(const Finding& finding);

} // namespace mivo
