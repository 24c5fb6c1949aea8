#pragma once

#include <QDate>
#include <QString>

namespace mivo {

struct Case;

// What the register of past cases shows of a case: the first value found, in the order of
// the documents a dealer fills first, or the empty text.
QString personName(const Case& c); // the owner's, user's or declarant's name
QString personAddress(const Case& c);
QString registrationNumber(const Case& c);
QString chassisNumber(const Case& c);

// The name of a case the user has not renamed: the person's name (or 無題) and the date.
QString automaticName(const Case& c, QDate day);

} // namespace mivo
