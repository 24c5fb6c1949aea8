#include "cases/case_register.h"

#include "cases/case.h"
#include "particulars/particulars.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <initializer_list>

namespace mivo {
namespace {

// Field store indices, by the meanings in the field catalogue.
constexpr std::initializer_list<int> kNames = {69, // power of attorney: first delegator's name
                                               6,  // parking consent certificate: user's name
                                               36, // self-declaration: declarant's name
                                               45, // transfer certificate: first row's name
                                               29, // consent letter: consenting party's name
                                               73, 77, 50, 55, 60, 18};
constexpr std::initializer_list<int> kAddresses = {70, 2, 35, 44, 28, 74, 78, 49, 54, 59, 17};
constexpr std::initializer_list<int> kRegistrationNumbers = {66}; // registration or chassis
constexpr std::initializer_list<int> kChassisNumbers = {42, 24};

QString firstOf(const Case& c, std::initializer_list<int> indices) {
    for (int index : indices) {
        const QString value = c.values[size_t(index)].trimmed();
        if (!value.isEmpty())
            return value;
    }
    return {};
}

// A case typed only into its particulars (or read from a certificate) is named and listed by
// them until a document holds the value.
QString firstOf(const Case& c, std::initializer_list<int> indices, Particular particular) {
    const QString typed = firstOf(c, indices);
    if (!typed.isEmpty() || c.particulars.isEmpty())
        return typed;
    const QJsonObject json = QJsonDocument::fromJson(c.particulars.toUtf8()).object();
    return Particulars::fromJson(json).value(particular).trimmed();
}

} // namespace

QString personName(const Case& c) { return firstOf(c, kNames, Particular::UserName); }
QString personAddress(const Case& c) { return firstOf(c, kAddresses, Particular::UserAddress); }
QString chassisNumber(const Case& c) {
    return firstOf(c, kChassisNumbers, Particular::ChassisNumber);
}

QString registrationNumber(const Case& c) {
    const QString drawn = c.registrationNumber.trimmed();
    return drawn.isEmpty() ? firstOf(c, kRegistrationNumbers, Particular::RegistrationNumber)
                           : drawn;
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
