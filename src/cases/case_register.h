#pragma once

#include <QDate>
#include <QString>

namespace mivo {

struct Case;

// What the register of past cases shows of a case: the first value found in the fields the
// particular fills (the user's before the transferor's, owner's and grantor's), then the
// particular itself, or the empty text.
QString personName(const Case& c);
QString personAddress(const Case& c);
QString registrationNumber(const Case& c);
QString chassisNumber(const Case& c);

// The name of a case the user has not renamed: the person's name (or 無題) and the date.
QString automaticName(const Case& c, QDate day);

} // namespace mivo
