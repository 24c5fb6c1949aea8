#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace mivo {

// One of the forms' own pictures (an SVG resource under :/forms), drawn at `size` pixels.
QPixmap svgPicture(const QString& name, QSize size);

} // namespace mivo
