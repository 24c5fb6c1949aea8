#include "forms/picture_box.h"

#include <QPainter>

namespace mivo {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void PictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
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
    painter.drawImage(inside.topLeft(), picture_, QRect(QPoint(0, 0), inside.size()));
}

} // namespace mivo
