#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace mivo {

// Window geometry is designed in twips, 1440 to the inch; the screen's logical DPI turns it
// into pixels, so positions and sizes hold on any screen.
inline int twipsToPixels(int twips, const QWidget* widget) {
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return (twips * dpi + 720) / 1440;
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
