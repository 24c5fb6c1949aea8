#include "forms/location_map_box.h"

#include "document/picture_size.h"
#include "print/layouts/location_map.h"
#include "print/printer_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace mivo {
namespace {

constexpr double kGrabPixels = 8; // a press this near a mark takes it

} // namespace

LocationMapBox::LocationMapBox(LocationMarks& marks, QWidget* parent)
    : PictureBox(parent), marks_(marks) {
    setFocusPolicy(Qt::NoFocus); // until it has a picture
    setCursor(Qt::CrossCursor);
}

void LocationMapBox::setTool(Tool tool) {
    tool_ = tool;
    scalePoints_ = 0;
    update();
}

bool LocationMapBox::marking() const {
    return !picture().isNull() && (marks_.home || marks_.parking || marks_.scale);
}

void LocationMapBox::refresh(const QImage& picture, bool fitted) {
    fitted_ = fitted;
    setFocusPolicy(picture.isNull() ? Qt::NoFocus : Qt::StrongFocus);
    setPicture(picture, fitted && !marking());
    rendered_ = QImage();
    if (marking()) {
        try {
            rendered_ = locationMapPicture(picture, marks_, dpi());
        } catch (const PrintError&) {
            // No face for the labels: the page says so when it is printed.
        }
    }
    update();
}

// Marked, the box stands for the left area as it prints, drawn by the page's own code at a
// whole number of dots to the inch; else the picture is where the plain box shows it:
// unscaled, or fitted to its area.
int LocationMapBox::dpi() const {
    const QSizeF area = kLocationAreaMm.size() / 25.4;
    return std::max(1, int(std::min(contentsRect().width() / area.width(),
                                    contentsRect().height() / area.height())));
}

double LocationMapBox::pixelsPerMm() const { return dpi() / 25.4; }

QTransform LocationMapBox::pictureToBox() const {
    const QRectF inside = contentsRect();
    const QImage& p = picture();
    if (p.isNull())
        return {};
    const double pixelsPerMm = this->pixelsPerMm();
    QRectF shown;
    if (marking()) {
        const QRectF mm = locationPictureRectMm(p).translated(-kLocationAreaMm.topLeft());
        shown = QRectF(mm.topLeft() * pixelsPerMm, mm.size() * pixelsPerMm);
    } else if (fitted_ && exceedsMapArea(p)) {
        shown = QRectF(QPointF(0, 0), fittedMapSizeMm(p) * pixelsPerMm);
    } else {
        shown = QRectF(QPointF(0, 0), QSizeF(p.size()));
    }
    QTransform t;
    t.translate(inside.left() + shown.left(), inside.top() + shown.top());
    t.scale(shown.width() / p.width(), shown.height() / p.height());
    return t;
}

void LocationMapBox::paintEvent(QPaintEvent* event) {
    if (!marking()) {
        PictureBox::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    const QRect inside = contentsRect();
    QPainter painter(this);
    painter.fillRect(inside, QColor(224, 224, 224));
    painter.setClipRect(inside);
    painter.drawImage(inside.topLeft(), rendered_);
    if (marks_.omit)
        return;
    // Over the page as it prints: which mark the keys move, and the scale being set.
    const QTransform t = pictureToBox();
    painter.setRenderHint(QPainter::Antialiasing);
    if (const std::optional<MapMark>& m = chosen(); m && hasFocus() && tool_ != Tool::Scale) {
        const double radius = 2.6 * pixelsPerMm(); // just outside the printed circle of 4 mm
        painter.setPen(QPen(QColor(0, 90, 200), 2));
        painter.drawEllipse(t.map(m->pixel), radius, radius);
    }
    if (marks_.scale) {
        painter.setPen(QPen(QColor(0, 90, 200), 2, Qt::DashLine));
        painter.drawLine(t.map(marks_.scale->from), t.map(marks_.scale->to));
    }
}

std::optional<MapMark>& LocationMapBox::chosen() {
    return tool_ == Tool::Parking ? marks_.parking : marks_.home;
}

// Moves the chosen mark; its place on the earth follows on a fetched map and is lost on the
// user's own picture.
void LocationMapBox::moveChosen(QPointF pixel) {
    const QSizeF size(picture().size());
    pixel.setX(std::clamp(pixel.x(), 0.0, size.width()));
    pixel.setY(std::clamp(pixel.y(), 0.0, size.height()));
    std::optional<GeoPoint> geo;
    if (marks_.tiling)
        geo = geoOfPixel(*marks_.tiling, pixel);
    chosen() = MapMark{pixel, geo};
    if (rendered_.isNull())
        refresh(picture(), fitted_); // the first mark shows the map as it will print
    update();
    emit marksChanged();
}

void LocationMapBox::mousePressEvent(QMouseEvent* event) {
    if (picture().isNull() || marks_.omit || event->button() != Qt::LeftButton)
        return PictureBox::mousePressEvent(event);
    const QTransform t = pictureToBox();
    const QPointF pixel = t.inverted().map(event->position());
    if (tool_ == Tool::Scale) {
        MapScale scale = marks_.scale.value_or(MapScale{pixel, pixel, 0});
        (scalePoints_ % 2 == 0 ? scale.from : scale.to) = pixel;
        if (scalePoints_ % 2 == 0)
            scale.to = pixel;
        marks_.scale = scale;
        ++scalePoints_;
        refresh(picture(), fitted_);
        emit marksChanged();
        if (scalePoints_ % 2 == 0)
            emit scaleDrawn();
        return;
    }
    // A press on a mark takes that one; elsewhere it places the chosen one.
    for (auto [tool, mark] :
         {std::pair{Tool::Home, &marks_.home}, {Tool::Parking, &marks_.parking}}) {
        if (*mark && QLineF(t.map((*mark)->pixel), event->position()).length() <= kGrabPixels) {
            tool_ = tool;
            dragging_ = true;
            emit marksChanged();
            update();
            return;
        }
    }
    dragging_ = true;
    moveChosen(pixel);
}

void LocationMapBox::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return PictureBox::mouseMoveEvent(event);
    moveChosen(pictureToBox().inverted().map(event->position()));
}

void LocationMapBox::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    PictureBox::mouseReleaseEvent(event);
}

void LocationMapBox::keyPressEvent(QKeyEvent* event) {
    const double step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    QPointF by;
    switch (event->key()) {
    case Qt::Key_Left:
        by = {-step, 0};
        break;
    case Qt::Key_Right:
        by = {step, 0};
        break;
    case Qt::Key_Up:
        by = {0, -step};
        break;
    case Qt::Key_Down:
        by = {0, step};
        break;
    default:
        return PictureBox::keyPressEvent(event);
    }
    if (picture().isNull() || marks_.omit || tool_ == Tool::Scale)
        return PictureBox::keyPressEvent(event);
    // A mark not yet placed starts from the middle of the picture.
    const QPointF from =
        chosen() ? chosen()->pixel : QPointF(picture().width() / 2.0, picture().height() / 2.0);
    moveChosen(from + by);
}

} // namespace mivo
