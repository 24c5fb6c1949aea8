#pragma once

#include <QImage>
#include <QSizeF>

namespace mivo {

// A picture's natural size on paper: its own resolution where it states one, else 96
// pixels to the inch.
QSizeF naturalSizeInInches(const QImage& picture);

// The room a map has on the printed layout drawing, in millimetres: from its top-left
// corner to the divider (left map) or the frame's right edge (right map), and down to the
// frame's bottom edge.
inline constexpr QSizeF kMapAreaMm{118, 125};

// Whether the picture at its natural size runs past its area of the frame.
bool exceedsMapArea(const QImage& picture);

// The picture's size in millimetres when fitted to its area: its natural size scaled down,
// aspect kept, until it fits; a picture that fits already keeps its natural size (it is
// never enlarged).
QSizeF fittedMapSizeMm(const QImage& picture);

} // namespace mivo
