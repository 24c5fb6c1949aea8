#pragma once

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

    void clear() { *this = LayoutDrawingState{}; }
};

} // namespace mivo
