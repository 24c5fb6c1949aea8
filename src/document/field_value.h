#pragma once

#include <QMap>
#include <QString>
#include <QStringView>

namespace mivo {

// The longest value a field takes, in characters. Far more than any box prints; a limit
// keeps a pasted or imported megabyte from slowing every save, search and page.
inline constexpr int kValueMaxLength = 1000;

// Why `value` cannot be the value of field `index` (longer than the limit, a NUL character),
// naming the field and the limit but never repeating the value, without a closing 。;
// empty when it can.
QString valueProblem(int index, QStringView value);
// That a value of field `index` would be longer than the limit, for a box that refused it.
QString tooLongMessage(int index);
// The first problem among `values`, or an empty string.
QString valuesProblem(const QMap<int, QString>& values);

} // namespace mivo
