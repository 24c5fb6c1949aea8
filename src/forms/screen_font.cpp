#include "forms/screen_font.h"

namespace mivo {

QFont screenFont(qreal points, bool bold) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace mivo
