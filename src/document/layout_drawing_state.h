#pragma once

#include "document/location_marks.h"
#include "document/site_plan.h"

#include <QImage>
#include <QString>

namespace mivo {

// What the layout drawing prints: the location map (left), the layout map (right) and the
// registration number. A null image is an empty half.
struct LayoutDrawingState {
    QImage locationMap;
    QImage layoutMap;
    QString registrationNumber;
    // Per map: scaled down to fit its area of the frame (see picture_size.h) instead of
    // printed at its natural size.
    bool fitLocationMap = false;
    bool fitLayoutMap = false;
    // The location map's two places, their line and distance, or that it is left out. With
    // none of these the location map prints as a plain picture.
    LocationMarks location;
    // The 配置図 drawn in the program, and whether the right half prints it in place of the
    // layout map. The map stays, so that choosing the picture again brings it back.
    SitePlan sitePlan;
    bool printSitePlan = false;

    void clear() { *this = LayoutDrawingState{}; }
};

} // namespace mivo
