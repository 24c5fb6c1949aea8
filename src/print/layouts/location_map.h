#pragma once

#include <QImage>
#include <QRectF>

namespace mivo {

class PrinterSurface;
struct LocationMarks;

// The left area of the layout drawing below its caption row, 2 mm inside the frame, in
// millimetres: where the marked location map goes.
inline constexpr QRectF kLocationAreaMm{20, 33, 118, 125};

// The picture's place on the page: fitted into the area, centred, never larger than at
// 200 pixels to the inch.
QRectF locationPictureRectMm(const QImage& picture);

// The location map with its marks: the picture, a circle of 4 mm with its label at each
// place, the straight line between them and its distance, and the tiles' attribution for a
// fetched map; or, when the map is left out, the sentence that says so. Everything in black,
// inside the area. Leaves the pen width at 1 and the face at Mincho, as the page set them.
void DrawLocationMap(PrinterSurface& surface, const QImage& picture, const LocationMarks& marks);

// The left area as DrawLocationMap prints it, at `dpi`: for the form to show.
QImage locationMapPicture(const QImage& picture, const LocationMarks& marks, int dpi);

} // namespace mivo
