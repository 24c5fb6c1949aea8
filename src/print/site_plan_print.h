#pragma once

#include <QImage>
#include <QRectF>

#include <optional>

namespace mivo {

class PrinterSurface;
struct SitePlan;

// The right half of the layout drawing's frame below its caption row, in millimetres.
inline constexpr QRectF kSitePlanAreaMm{140, 31, 120, 129};

// The scales a plan prints at, largest first.
inline constexpr int kSitePlanScales[] = {50, 100, 150, 200, 250, 300, 400, 500, 600, 1000};

// The largest scale (the smallest denominator) at which the whole plan, its texts and
// dimension lines included, fits `area` beside the scale and the north arrow; none when it
// does not fit even at 1/1000.
std::optional<int> sitePlanScale(const SitePlan& plan, const QRectF& area = kSitePlanAreaMm);

// Draws the plan centred in `area` at sitePlanScale(), in black, with 「縮尺 1/N」, a scale bar
// and the north arrow in the area's lower right corner. A plan that does not fit prints a
// note saying so instead. Leaves the pen solid and one dot wide, the font upright.
void drawSitePlan(PrinterSurface& surface, const SitePlan& plan,
                  const QRectF& area = kSitePlanAreaMm);

// The right half as drawSitePlan() prints it, as a picture at `dpi` (for the screen).
QImage sitePlanPicture(const SitePlan& plan, int dpi);

} // namespace mivo
