#include "particulars/fill_rules.h"

#include "particulars/fill_table.h"

#include "document/field_kinds.h"
#include "document/value_text.h"

namespace mivo {
namespace {

// The value a row of the fill table gives its field, in the form the field takes; empty when
// it gives none.
QString valueFor(const FieldFill& row, const Particulars& particulars) {
    const QString value = particulars.value(row.particular);
    if (value.isEmpty() && row.otherwise)
        return particulars.value(*row.otherwise);
    return yearInBox(row.field, value);
}

} // namespace

QString yearInBox(int field, const QString& year) {
    const FieldKind kind = fieldKind(field);
    if (kind.kind != ValueKind::Year || kind.eraPrinted || !wholeNumber(year) || reiwaYearOf(year))
        return year;
    return withEra(year);
}

QString yearOfBox(int field, const QString& text) {
    return fieldKind(field).kind == ValueKind::Year ? withoutEra(text) : text;
}

QList<int> fillEmptyFields(const Particulars& particulars, FieldStore& fields, FieldRun within) {
    QList<int> filled;
    for (const FieldFill& row : fillTable()) {
        const QString value = valueFor(row, particulars);
        if (value.isEmpty() || !within.contains(row.field) || !fields.value(row.field).isEmpty())
            continue;
        fields.setValue(row.field, value);
        filled.append(row.field);
    }
    return filled;
}

QList<int> refillFields(const Particulars& particulars, FieldStore& fields, FieldRun within) {
    QList<int> filled;
    for (const FieldFill& row : fillTable()) {
        const QString value = valueFor(row, particulars);
        if (value.isEmpty() || !within.contains(row.field))
            continue;
        fields.setValue(row.field, value);
        filled.append(row.field);
    }
    return filled;
}

QList<int> followParticulars(const Particulars& before, const Particulars& after,
                             std::span<QString, FieldStore::Count> values) {
    QList<int> changed;
    for (const FieldFill& row : fillTable()) {
        const QString was = valueFor(row, before), now = valueFor(row, after);
        QString& current = values[size_t(row.field)];
        if (was == now || (!current.isEmpty() && current != was) || current == now)
            continue;
        current = now;
        changed.append(row.field);
    }
    return changed;
}

QList<int> followParticulars(const Particulars& before, const Particulars& after,
                             FieldStore& fields) {
    std::array<QString, FieldStore::Count> values;
    for (int i = 0; i < FieldStore::Count; ++i)
        values[size_t(i)] = fields.value(i);
    const QList<int> changed = followParticulars(before, after, values);
    for (int index : changed)
        fields.setValue(index, values[size_t(index)]);
    return changed;
}

QList<int> fieldsFromParticulars(const Particulars& particulars, const FieldStore& fields) {
    QList<int> matching;
    for (const FieldFill& row : fillTable()) {
        const QString value = valueFor(row, particulars);
        if (!value.isEmpty() && fields.value(row.field) == value)
            matching.append(row.field);
    }
    return matching;
}

QList<int> fieldsFilledFromParticulars(const Particulars& particulars, const FieldStore& fields) {
    QList<int> filled = fieldsFromParticulars(particulars, fields);
    filled.removeIf([&](int field) { return particulars.isLearnedFrom(field); });
    return filled;
}

bool adoptTypedValue(Particulars& particulars, const FieldStore& fields, int field) {
    const QString typed = fields.value(field);
    const QString text = typed.trimmed().isEmpty() ? QString() : yearOfBox(field, typed);
    for (const FieldFill& row : fillTable()) {
        // A field with a stand-in particular says not which of the two was typed.
        if (row.field != field || row.otherwise)
            continue;
        const Particular particular = row.particular;
        if (particulars.learnedFrom(particular) == field) {
            if (text == particulars.value(particular))
                return false;
            if (text.isEmpty())
                particulars.setValue(particular, text);
            else
                particulars.learn(particular, text, field);
            return true;
        }
        if (text.isEmpty() || !particulars.isEmpty(particular))
            return false;
        particulars.learn(particular, text, field);
        return true;
    }
    return false;
}

} // namespace mivo
