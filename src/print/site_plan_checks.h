#pragma once

#include <QStringList>

namespace mivo {

struct SitePlan;

// What a window would send the plan back for, one short sentence each, in Japanese; empty
// when the plan shows all it must: the applied bay with both dimensions, a road with its
// 幅員, an entrance with its width, a north arrow, a vehicle that fits the bay, and a plan
// that fits the page.
QStringList sitePlanFindings(const SitePlan& plan);

} // namespace mivo
