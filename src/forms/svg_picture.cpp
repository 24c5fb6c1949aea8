#include "forms/svg_picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace mivo {

QPixmap svgPicture(const QString& name, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/forms/") + name);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace mivo
