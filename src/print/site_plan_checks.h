#pragma once

#include <QStringList>

namespace mivo {

struct LayoutDrawingState;
struct SitePlan;

// What a window would send the plan back for, one short sentence each, in Japanese; empty
// when the plan shows all it must: the applied bay with both dimensions, a road with its
// 幅員, an entrance with its width, a north arrow, a vehicle that fits the bay, and a plan
// that fits the page.
QStringList sitePlanFindings(const SitePlan& plan);

// The same for the list before printing, each line starting 「配置図: 」; none when the right
// half prints a picture.
QStringList drawingFindings(const LayoutDrawingState& drawing);

} // namespace mivo
