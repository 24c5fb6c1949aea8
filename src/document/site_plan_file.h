#pragma once

#include "document/site_plan.h"

#include <QByteArray>
#include <QString>

namespace mivo {

// A site plan file: JSON, version 1 (described in the README). Its limits keep a reader's
// time and memory bounded whatever it is handed.
inline constexpr qint64 kSitePlanFileLimit = 1024 * 1024;
inline constexpr int kSitePlanObjectLimit = 2000;
// The most any coordinate or length may be, in metres: far beyond any parking place.
inline constexpr double kSitePlanExtentLimit = 10000;

struct SitePlanRead {
    SitePlan plan;
    QString error; // for the user, naming `name`; empty when the plan was read
    bool ok() const { return error.isEmpty(); }
};

// Reads a plan from its JSON text; `name` stands for it in messages. Unknown keys and objects
// of unknown kinds are kept; anything else that is not the format is refused as a whole.
SitePlanRead readSitePlan(const QByteArray& json, const QString& name);
// The same from a regular file; `path` is the file system's own bytes.
SitePlanRead loadSitePlanFile(const QByteArray& path);

// The plan as the file holds it: what was read comes back with every key it had.
QByteArray sitePlanJson(const SitePlan& plan);

} // namespace mivo
