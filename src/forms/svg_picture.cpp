#include "forms/svg_picture.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into the windows' static library; nothing else refers to them, so
// they are registered by hand before first use.
static void registerPictures() { Q_INIT_RESOURCE(forms); }

namespace mivo {

QPixmap svgPicture(const QString& name, QSize size) {
    static const bool registered = (registerPictures(), true);
    Q_UNUSED(registered);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/forms/") + name);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace mivo
