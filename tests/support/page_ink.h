#pragma once

#include <QImage>
#include <QRectF>

// How dark a page picture is inside `mm`, a rectangle in millimetres from the paper's corner:
// the sum over its pixels of 1 for black down to 0 for white. The picture's own resolution
// gives the scale.
double inkIn(const QImage& page, const QRectF& mm);
