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

    void clear() { *this = LayoutDrawingState{}; }
};

} // namespace mivo
