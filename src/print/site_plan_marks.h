#pragma once

#include "print/printer_surface.h"

#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

namespace mivo {

struct SitePlan;

// One mark of a site plan on paper, in millimetres from the plan's origin.
struct PlanMark {
    enum class Type { Stroke, Fill, Text };
    Type type = Type::Stroke;
    QPolygonF points; // Stroke: a polyline; Fill: a polygon; Text: the top-left of its cell
    std::int16_t pen = 1;
    PenStyle style = PenStyle::Solid;
    QString text;
    float size = 8;  // points
    float angle = 0; // degrees, clockwise

    static PlanMark stroke(QPolygonF points, std::int16_t pen = 1,
                           PenStyle style = PenStyle::Solid) {
        PlanMark mark;
        mark.points = std::move(points);
        mark.pen = pen;
        mark.style = style;
        return mark;
    }
    static PlanMark fill(QPolygonF points) {
        PlanMark mark;
        mark.type = Type::Fill;
        mark.points = std::move(points);
        return mark;
    }
};

struct PlanMarks {
    std::vector<PlanMark> marks;
    QRectF bounds; // everything the marks cover, texts included
};

// The plan at 1/scale: outlines, hatching, dimension lines and texts (whose sizes do not
// scale). Objects of unknown kinds draw nothing.
PlanMarks planMarks(const SitePlan& plan, int scale);

// The size of a text's cell in millimetres: the faces are fixed pitch, full-width characters
// one em and half-width ones half an em.
QSizeF textCellMm(const QString& text, float points);

// The mark of a text whose cell is centred on `centre`, turned by `angle`.
PlanMark centredText(const QString& text, float points, QPointF centre, double angle);

} // namespace mivo
