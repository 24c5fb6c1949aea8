#include "print/value_form.h"

#include "document/field_kinds.h"
#include "document/value_text.h"

namespace mivo {
namespace {

// The page prints 警察署長 after the station's name; typed with the name, it would print twice.
QString stationName(const QString& value) {
    static const QString suffix = QStringLiteral("警察署");
    const QString trimmed = value.trimmed();
    if (trimmed.endsWith(suffix) && trimmed.size() > suffix.size())
        return trimmed.chopped(suffix.size()).trimmed();
    return value;
}

QString yearAfterEra(const QString& value) {
    const QString year = withoutEra(value);
    if (const std::optional<int> reiwa = reiwaYearOf(year))
        return QString::number(*reiwa);
    return year;
}

} // namespace

QString printedForm(int field, const QString& value) {
    if (value.isEmpty())
        return value;
    const FieldKind kind = fieldKind(field);
    switch (kind.kind) {
    case ValueKind::PostalCode:
        if (const std::optional<int> code = parsePostalCode(value))
            return postalCodeText(*code);
        return value;
    case ValueKind::PhonePart:
        return halfWidth(value);
    case ValueKind::PoliceStation:
        return stationName(value);
    case ValueKind::Year:
        return kind.eraPrinted ? yearAfterEra(value) : value;
    default:
        return value;
    }
}

} // namespace mivo
