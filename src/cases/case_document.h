#pragma once

#include "cases/case.h"
#include "document/location_marks.h"
#include "document/site_plan.h"

#include <QImage>
#include <QString>

#include <optional>

namespace mivo {

class CaseStore;
class CurrentDocument;

// A case's maps decoded, within the limits of a picture file; an error names the map, or the
// drawn 配置図 when that cannot be read.
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
// The case's drawn 配置図; none when it has none or it cannot be read.
SitePlan sitePlanOf(const Case& c);
// The plan as a case keeps it: empty for none.
QString storedSitePlan(const SitePlan& plan);

// The case with the id (digits) or exact name `idOrName`; the newest of several with that name.
std::optional<Case> findCase(CaseStore& store, const QString& idOrName, QString* error);

// The one way a case becomes a document, in the window, mivo-render and a case sent whole:
// `document` (whose title the caller sets) gets every field of `c`, then the case's
// particulars in the fields still empty, the maps, the drawn 配置図 and the registration
// number.
void fillDocument(const Case& c, const CaseMaps& maps, CurrentDocument& document);

} // namespace mivo
