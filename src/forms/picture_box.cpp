#include "forms/picture_box.h"

#include "document/picture_size.h"

#include <QPainter>

#include <algorithm>

namespace mivo {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void PictureBox::setPicture(const QImage& picture, bool fitted) {
    picture_ = picture;
    fitted_ = QImage();
    if (fitted && !picture.isNull()) {
        // The area in millimetres scaled into the box, aspect kept, so the map sits in the box
        // as it sits in its area on paper.
        const QSizeF box = contentsRect().size();
        const double pixelsPerMm =
            std::min(box.width() / kMapAreaMm.width(), box.height() / kMapAreaMm.height());
        const QSize size = (fittedMapSizeMm(picture) * pixelsPerMm).toSize().expandedTo({1, 1});
        fitted_ = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect inside = contentsRect();
    QPainter painter(this);
    painter.fillRect(inside, QColor(224, 224, 224));
    if (picture_.isNull())
        return;
    painter.setClipRect(inside);
    if (!fitted_.isNull())
        painter.drawImage(inside.topLeft(), fitted_);
    else
        painter.drawImage(inside.topLeft(), picture_, QRect(QPoint(0, 0), inside.size()));
}

} // namespace mivo
