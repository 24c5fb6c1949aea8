#pragma once

#include "cases/case.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace mivo {

// A case as mivo-cases shows and imports it: name, dates, "values" in mivo-render's --values
// form ({"62": "山田太郎"}), the registration number, the maps as file names and the
// particulars. `mapFiles` holds the file names written for the maps, if any.
QJsonObject caseToJson(const Case& c, const QJsonObject& mapFiles);

// The most a case's JSON may hold: its values and particulars at their longest, escaped.
inline constexpr qint64 kCaseFileLimit = 4 * 1024 * 1024;

// Reads what caseToJson writes (id and dates are ignored: an import is a new case). Map files
// are read relative to `folder`, as picture files. A key given twice, a value too long, or
// nothing of a case at all is refused. Empty `error` on success.
Case caseFromJson(const QByteArray& json, const QString& folder, QString* error);

// One row of the register: name, made, changed, person, address, registration and chassis.
QStringList registerHeader();
QStringList registerRow(const Case& c);
// A CSV line: every field quoted, inner quotes doubled, CRLF at its end; a field that a
// spreadsheet would read as a formula starts with an apostrophe.
QString csvLine(const QStringList& fields);

} // namespace mivo
