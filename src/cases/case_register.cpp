#include "cases/case_register.h"

#include "cases/case.h"
#include "particulars/fill_table.h"
#include "particulars/particulars.h"

#include <QList>

#include <initializer_list>

namespace mivo {
namespace {

using enum Particular;

// The fields the fill table gives these particulars, particular by particular.
QList<int> fieldsOf(std::initializer_list<Particular> particulars) {
    QList<int> fields;
    for (const Particular particular : particulars) {
        for (const FieldFill& row : fillTable()) {
            if (row.particular == particular)
                fields << row.field;
        }
    }
    return fields;
}

QString firstOf(const Case& c, const QList<int>& indices) {
    for (int index : indices) {
        const QString value = c.values[size_t(index)].trimmed();
        if (!value.isEmpty())
            return value;
    }
    return {};
}

// A case typed only into its particulars (or read from a certificate) is named and listed by
// them until a document holds the value.
QString firstOf(const Case& c, const QList<int>& indices, Particular particular) {
    const QString typed = firstOf(c, indices);
    return typed.isEmpty() ? c.particulars.value(particular).trimmed() : typed;
}

} // namespace

QString personName(const Case& c) {
    static const QList<int> names = fieldsOf({UserName, TransferorName, OwnerName, GrantorName});
    return firstOf(c, names, UserName);
}

QString personAddress(const Case& c) {
    static const QList<int> addresses =
        fieldsOf({UserAddress, TransferorAddress, OwnerAddress, GrantorAddress});
    return firstOf(c, addresses, UserAddress);
}

QString chassisNumber(const Case& c) {
    static const QList<int> chassisNumbers = fieldsOf({ChassisNumber});
    return firstOf(c, chassisNumbers, ChassisNumber);
}

QString registrationNumber(const Case& c) {
    const QString drawn = c.registrationNumber.trimmed();
    static const QList<int> registrationNumbers = fieldsOf({RegistrationNumber});
    return drawn.isEmpty() ? firstOf(c, registrationNumbers, RegistrationNumber) : drawn;
}

QString automaticName(const Case& c, QDate day) {
    QString who = personName(c);
    if (who.isEmpty())
        who = registrationNumber(c);
    if (who.isEmpty())
        who = QStringLiteral("無題");
    return QStringLiteral("%1 %2").arg(who, day.toString(QStringLiteral("yyyy-MM-dd")));
}

} // namespace mivo
