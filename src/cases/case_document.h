#pragma once

#include "cases/case.h"
#include "cases/case_database.h"
#include "document/location_marks.h"

#include <QImage>
#include <QString>

#include <optional>

namespace mivo {

class CaseStore;
class CurrentDocument;

// A case's maps decoded, within the limits of a picture file; an error names the map.
struct CaseMaps {
    QImage location;
    QImage layout;
    QString error;
};
CaseMaps decodeMaps(const Case& c);

// The case's location marks; none when it has none or they cannot be read.
LocationMarks marksOf(const Case& c);
// The marks as a case keeps them: empty for none.
QString storedMarks(const LocationMarks& marks);

// The case with the id (digits) or exact name `idOrName`; the newest of several with that name.
std::optional<Case> findCase(CaseStore& store, const QString& idOrName, QString* error);

// Fills `document` (whose title the caller sets) with every field of `c`, its maps and its
// registration number; the case's particulars fill the fields still empty, as when a document
// is opened in the window.
void fillDocument(const Case& c, const CaseMaps& maps, CurrentDocument& document);

// Fills `document` (whose title the caller sets) from the stored case `idOrName`: every
// field, the maps and the registration number. False with a message for the user.
bool loadCaseInto(const CaseDatabase& where, const QString& idOrName, CurrentDocument& document,
                  QString* error);

} // namespace mivo
