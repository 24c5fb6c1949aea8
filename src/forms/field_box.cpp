#include "forms/field_box.h"

#include <QFocusEvent>
#include <QPainter>

namespace mivo {

void FieldBox::setDoubtful(bool doubtful) {
    if (doubtful == doubtful_)
        return;
    doubtful_ = doubtful;
    update();
}

void FieldBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && !text().isEmpty()) {
        deselect();
        end(false);
    }
}

void FieldBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!doubtful_)
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(220, 0, 0), 2));
    const int y = height() - 3;
    painter.drawLine(3, y, width() - 4, y);
}

} // namespace mivo
