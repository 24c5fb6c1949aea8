#include "page_ink.h"

double inkIn(const QImage& page, const QRectF& mm) {
    const double pixelsPerMm = page.dotsPerMeterX() / 1000.0;
    const QRect area = QRectF(mm.topLeft() * pixelsPerMm, mm.size() * pixelsPerMm)
                           .toAlignedRect()
                           .intersected(page.rect());
    double ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ink += (255 - qGray(page.pixel(x, y))) / 255.0;
    }
    return ink;
}
