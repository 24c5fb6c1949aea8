#pragma once

#include "print/twips_per_inch.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace mivo {

// Window geometry is designed in twips; the screen's logical DPI turns it into pixels, so
// positions and sizes hold on any screen.
inline int twipsToPixels(int twips, const QWidget* widget) {
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return (twips * dpi + TwipsPerInch / 2) / TwipsPerInch;
}

inline QRect twipsRect(int left, int top, int width, int height, const QWidget* widget) {
    return {twipsToPixels(left, widget), twipsToPixels(top, widget), twipsToPixels(width, widget),
            twipsToPixels(height, widget)};
}

inline QSize twipsSize(int width, int height, const QWidget* widget) {
    return {twipsToPixels(width, widget), twipsToPixels(height, widget)};
}

inline QPoint twipsPoint(int x, int y, const QWidget* widget) {
    return {twipsToPixels(x, widget), twipsToPixels(y, widget)};
}

} // namespace mivo
