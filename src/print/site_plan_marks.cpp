#include "print/site_plan_marks.h"

#include "document/site_plan.h"

#include <QLineF>

#include <cmath>

namespace mivo {
namespace {

constexpr double kMmPerPoint = 25.4 / 72;
constexpr float kLabelPoints = 8;
constexpr std::int16_t kThinPen = 1, kWallPen = 3, kAppliedPen = 6;
constexpr double kHatchStepMm = 1.5;
constexpr double kDimensionGapMm = 3; // from a bay's side to its dimension line
constexpr double kTickMm = 1.2;

bool halfWidth(QChar c) {
    return c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F);
}

// Turned so that it never reads upside down: within [-90, 90).
double upright(double angle) {
    double a = std::fmod(angle, 360.0);
    if (a < -90)
        a += 360;
    if (a >= 270)
        a -= 360;
    return a >= 90 ? a - 180 : a;
}

QPointF unitAlong(double degrees) {
    const double r = qDegreesToRadians(degrees);
    return {std::cos(r), std::sin(r)};
}

class Builder {
  public:
    explicit Builder(int scale) : mmPerMetre_(1000.0 / scale), metrePerMm_(scale / 1000.0) {}

    PlanMarks result;

    QPointF mm(QPointF metres) const { return metres * mmPerMetre_; }
    QPolygonF mm(const QPolygonF& metres) const {
        QPolygonF out;
        out.reserve(metres.size());
        for (const QPointF& p : metres)
            out.append(mm(p));
        return out;
    }

    void stroke(QPolygonF points, std::int16_t pen, PenStyle style = PenStyle::Solid) {
        if (points.size() < 2)
            return;
        cover(points);
        result.marks.push_back(PlanMark::stroke(std::move(points), pen, style));
    }
    void closed(QPolygonF points, std::int16_t pen, PenStyle style = PenStyle::Solid) {
        if (!points.isEmpty() && points.first() != points.last())
            points.append(points.first());
        stroke(std::move(points), pen, style);
    }
    void fill(QPolygonF points) {
        cover(points);
        result.marks.push_back(PlanMark::fill(std::move(points)));
    }
    void text(const QString& text, QPointF centreMm, double angle, float points = kLabelPoints) {
        if (text.isEmpty())
            return;
        PlanMark mark = centredText(text, points, centreMm, upright(angle));
        const QSizeF cell = textCellMm(text, points);
        QTransform t;
        t.translate(mark.points.first().x(), mark.points.first().y());
        t.rotate(mark.angle);
        cover(t.map(QPolygonF(QRectF(QPointF(), cell))));
        result.marks.push_back(std::move(mark));
    }

    // A dimension line from a to b (mm), its text on the side of `outward`.
    void dimension(QPointF a, QPointF b, QPointF outward, const QString& label) {
        stroke(QPolygonF({a, b}), kThinPen);
        const QPointF tick = outward * kTickMm;
        stroke(QPolygonF({a - tick, a + tick}), kThinPen);
        stroke(QPolygonF({b - tick, b + tick}), kThinPen);
        const QLineF line(a, b);
        const double h = textCellMm(label, kLabelPoints).height();
        text(label, line.center() + outward * (h / 2 + 0.6), -line.angle());
    }

    void bay(const PlanObject& o) {
        const QPolygonF outline = mm(o.outline());
        const QTransform place = o.placement();
        const bool wide = o.width >= o.depth;
        const QPointF centre = mm(place.map(QPointF(o.width / 2, o.depth / 2)));
        if (!o.applied) {
            closed(outline, kThinPen);
            text(o.label, centre, wide ? o.angle : o.angle - 90);
            return;
        }
        closed(outline, kAppliedPen);
        hatch(o);
        const QString name =
            o.label.isEmpty() ? QStringLiteral("保管場所") : o.label + QStringLiteral(" 保管場所");
        text(name, centre, wide ? o.angle : o.angle - 90);
        // Dimension lines on the top side (width) and the left side (depth), outside the bay.
        const QPointF tl = mm(place.map(QPointF(0, 0)));
        const QPointF tr = mm(place.map(QPointF(o.width, 0)));
        const QPointF bl = mm(place.map(QPointF(0, o.depth)));
        const QPointF up = unitAlong(o.angle - 90), left = unitAlong(o.angle + 180);
        dimension(tl + up * kDimensionGapMm, tr + up * kDimensionGapMm, up, metresText(o.width));
        dimension(tl + left * kDimensionGapMm, bl + left * kDimensionGapMm, left,
                  metresText(o.depth));
    }

    // Lines at 45° in the bay's own frame, clipped to it, one every kHatchStepMm on paper.
    void hatch(const PlanObject& o) {
        const double step = kHatchStepMm * metrePerMm_ * std::sqrt(2.0);
        const QTransform place = o.placement();
        const double w = o.width, d = o.depth;
        // Lines u - v = c for c from -d to w.
        for (double c = -d + step / 2; c < w; c += step) {
            const QPointF from(std::max(c, 0.0), std::max(c, 0.0) - c);
            const QPointF to(std::min(w, c + d), std::min(w, c + d) - c);
            stroke(mm(place.map(QPolygonF({from, to}))), kThinPen);
        }
    }

    void road(const PlanObject& o) {
        const QTransform place = o.placement();
        const auto at = [&](double u, double v) { return mm(place.map(QPointF(u, v))); };
        stroke(QPolygonF({at(0, 0), at(o.length, 0)}), kWallPen);
        stroke(QPolygonF({at(0, o.width), at(o.length, o.width)}), kWallPen);
        QString name = QStringLiteral("幅員 ") + metresText(o.width);
        if (!o.label.isEmpty())
            name = o.label + QStringLiteral("　") + name;
        text(name, at(o.length / 2, o.width / 2), o.angle);
        // The 幅員 measured across the band, near its start.
        const double u = std::min(o.length * 0.1, 3.0);
        const QPointF a = at(u, 0), b = at(u, o.width);
        stroke(QPolygonF({a, b}), kThinPen);
        arrowHead(a, unitAlong(o.angle - 90));
        arrowHead(b, unitAlong(o.angle + 90));
    }

    void arrowHead(QPointF tip, QPointF direction) {
        const QPointF side(-direction.y(), direction.x());
        fill(QPolygonF(
            {tip, tip - direction * 1.6 + side * 0.6, tip - direction * 1.6 - side * 0.6}));
    }

    void entrance(const PlanObject& o) {
        const QTransform place = o.placement();
        const QPointF a = mm(place.map(QPointF(0, 0))), b = mm(place.map(QPointF(o.width, 0)));
        const QPointF out = unitAlong(o.angle + 90); // the side the way in comes from
        stroke(QPolygonF({a, b}), kThinPen, PenStyle::Dotted);
        stroke(QPolygonF({a - out * kTickMm * 2, a + out * kTickMm * 2}), kWallPen);
        stroke(QPolygonF({b - out * kTickMm * 2, b + out * kTickMm * 2}), kWallPen);
        const QPointF middle = (a + b) / 2;
        const QPointF tip = middle - out * 3, tail = middle + out * 4;
        stroke(QPolygonF({tail, tip + out * 1.6}), kThinPen * 2);
        arrowHead(tip, -out);
        const QString name = QStringLiteral("出入口 ") + metresText(o.width);
        const QSizeF cell = textCellMm(name, kLabelPoints);
        text(name, tail + out * (cell.height() / 2 + 0.5), o.angle);
    }

    void object(const PlanObject& o) {
        switch (o.kind) {
        case PlanKind::Bay:
            bay(o);
            break;
        case PlanKind::Building:
            closed(mm(o.outline()), kWallPen);
            text(o.label, mm(o.outline().boundingRect().center()), 0);
            break;
        case PlanKind::Line:
            stroke(mm(o.outline()), kWallPen);
            break;
        case PlanKind::Ground:
            closed(mm(o.outline()), kThinPen, PenStyle::Dotted);
            text(o.label.isEmpty() ? QStringLiteral("空地") : o.label,
                 mm(o.placement().map(QPointF(o.width / 2, o.depth / 2))), 0);
            break;
        case PlanKind::Road:
            road(o);
            break;
        case PlanKind::Entrance:
            entrance(o);
            break;
        case PlanKind::Text: {
            const QSizeF cell = textCellMm(o.label, kLabelPoints);
            const QPointF corner = mm(QPointF(o.x, o.y));
            const QTransform turn = QTransform().rotate(o.angle);
            text(o.label, corner + turn.map(QPointF(cell.width() / 2, cell.height() / 2)), o.angle);
            break;
        }
        case PlanKind::Dimension:
            if (o.points.size() == 2) {
                const QPointF a = mm(o.points[0]), b = mm(o.points[1]);
                const QLineF line(a, b);
                if (line.length() > 0) {
                    const QPointF normal = QPointF(line.dy(), -line.dx()) / line.length();
                    dimension(a, b, normal.y() > 0 ? -normal : normal,
                              metresText(QLineF(o.points[0], o.points[1]).length()));
                }
            }
            break;
        case PlanKind::Vehicle: {
            closed(mm(o.outline()), kThinPen, PenStyle::Dotted);
            const bool wide = o.width >= o.depth;
            text(o.label.isEmpty() ? QStringLiteral("車両") : o.label,
                 mm(o.placement().map(QPointF(o.width / 2, o.depth / 2))),
                 wide ? o.angle : o.angle - 90, 7);
            break;
        }
        case PlanKind::Unknown:
            break;
        }
    }

  private:
    void cover(const QPolygonF& points) {
        for (const QPointF& p : points) {
            QRectF& b = result.bounds;
            if (!covered_) {
                b = QRectF(p, p);
                covered_ = true;
                continue;
            }
            b.setLeft(std::min(b.left(), p.x()));
            b.setTop(std::min(b.top(), p.y()));
            b.setRight(std::max(b.right(), p.x()));
            b.setBottom(std::max(b.bottom(), p.y()));
        }
    }

    double mmPerMetre_;
    double metrePerMm_;
    bool covered_ = false;
};

} // namespace

QSizeF textCellMm(const QString& text, float points) {
    double ems = 0;
    for (const QChar c : text)
        ems += halfWidth(c) ? 0.5 : 1.0;
    const double em = points * kMmPerPoint;
    return {ems * em, em};
}

PlanMark centredText(const QString& text, float points, QPointF centre, double angle) {
    const QSizeF cell = textCellMm(text, points);
    const QPointF half = QTransform().rotate(angle).map(QPointF(cell.width(), cell.height())) / 2;
    PlanMark mark;
    mark.type = PlanMark::Type::Text;
    mark.points = QPolygonF({centre - half});
    mark.text = text;
    mark.size = points;
    mark.angle = float(angle);
    return mark;
}

PlanMarks planMarks(const SitePlan& plan, int scale) {
    Builder builder(scale);
    // In the file's order: a later object lies over an earlier one.
    for (const PlanObject& o : plan.objects)
        builder.object(o);
    return std::move(builder.result);
}

} // namespace mivo
