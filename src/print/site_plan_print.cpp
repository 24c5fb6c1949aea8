#include "print/site_plan_print.h"

#include "document/site_plan.h"
#include "print/page_setup.h"
#include "print/page_target.h"
#include "print/painter_surface.h"
#include "print/printer_surface.h"
#include "print/site_plan_marks.h"

#include <QTransform>

#include <cmath>

namespace mivo {
namespace {

constexpr double kInsetMm = 2.5;   // between the frame and anything drawn
constexpr double kLegendMm = 13;   // the strip at the bottom for the scale and north arrow
constexpr float kLegendPoints = 8; // 縮尺 and the north arrow's N
constexpr float kBarPoints = 7;    // the scale bar's figures

QRectF roomFor(const QRectF& area) {
    return area.adjusted(kInsetMm, kInsetMm, -kInsetMm, -kInsetMm - kLegendMm);
}

void play(PrinterSurface& surface, const PlanMark& mark, QPointF offset) {
    switch (mark.type) {
    case PlanMark::Type::Stroke:
        surface.SetPenWidth(mark.pen);
        surface.SetPenStyle(mark.style);
        for (qsizetype i = 1; i < mark.points.size(); ++i) {
            const QPointF a = mark.points[i - 1] + offset, b = mark.points[i] + offset;
            surface.Line(float(a.x()), float(a.y()), float(b.x()), float(b.y()));
        }
        break;
    case PlanMark::Type::Fill:
        surface.FillPolygon(mark.points.translated(offset));
        break;
    case PlanMark::Type::Text: {
        const QPointF at = mark.points.first() + offset;
        surface.SetFontSize(mark.size);
        surface.SetFontAngle(mark.angle);
        surface.MoveTo(float(at.x()), float(at.y()));
        surface.PrintText(mark.text);
        break;
    }
    }
}

// The longest of 1, 2, 5, 10, 20, 50 ... metres whose bar stays within 25 mm.
double scaleBarMetres(int scale) {
    double best = 1;
    for (double decade = 1; decade <= 1000; decade *= 10) {
        for (const double step : {1.0, 2.0, 5.0}) {
            if (step * decade * 1000 / scale <= 25)
                best = step * decade;
        }
    }
    return best;
}

void legend(PrinterSurface& surface, const SitePlan& plan, int scale, const QRectF& area) {
    std::vector<PlanMark> marks;
    const double bottom = area.bottom() - kInsetMm;
    const double right = area.right() - kInsetMm;
    // The north arrow: a narrow black triangle turned to north, N beyond its tip.
    const QPointF centre(right - 5.5, bottom - kLegendMm / 2);
    if (plan.north) {
        const QTransform turn = QTransform().rotate(*plan.north);
        const QPolygonF arrow = turn.map(QPolygonF({{0, -4}, {1.4, 3}, {0, 1.8}, {-1.4, 3}}));
        marks.push_back(PlanMark::fill(arrow.translated(centre)));
        marks.push_back(centredText(QStringLiteral("N"), kLegendPoints,
                                    centre + turn.map(QPointF(0, -5.4)), 0));
    }
    // The scale bar: left half black, right half open, 0 and its length under its ends.
    const double metres = scaleBarMetres(scale);
    const double length = metres * 1000 / scale;
    const double barRight = right - 13, barLeft = barRight - length;
    const double barTop = bottom - 6.5, barBottom = barTop + 1.4;
    const double middle = (barLeft + barRight) / 2;
    const QRectF bar(QPointF(barLeft, barTop), QPointF(barRight, barBottom));
    marks.push_back(PlanMark::stroke(QPolygonF(bar)));
    marks.push_back(PlanMark::fill(QPolygonF(QRectF(bar.topLeft(), QPointF(middle, barBottom)))));
    const double figureY =
        barBottom + 0.3 + textCellMm(QStringLiteral("0"), kBarPoints).height() / 2;
    marks.push_back(centredText(QStringLiteral("0"), kBarPoints, {barLeft, figureY}, 0));
    const QString end = QString::number(metres) + u'm';
    marks.push_back(centredText(end, kBarPoints, {barRight, figureY}, 0));
    const QString caption = QStringLiteral("縮尺 1/%1").arg(scale);
    const QSizeF cell = textCellMm(caption, kLegendPoints);
    marks.push_back(centredText(caption, kLegendPoints,
                                {barRight - cell.width() / 2, barTop - 0.6 - cell.height() / 2},
                                0));
    for (const PlanMark& mark : marks)
        play(surface, mark, {});
}

// The size in metres of what the outlines that are always drawn cover: the marks cover at
// least this at any scale, so a scale at which it does not fit needs no marks built.
QSizeF outlinedMetres(const SitePlan& plan) {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool any = false;
    for (const PlanObject& o : plan.objects) {
        const bool drawn = o.kind == PlanKind::Line
                               ? o.points.size() >= 2
                               : o.kind == PlanKind::Bay || o.kind == PlanKind::Building ||
                                     o.kind == PlanKind::Ground || o.kind == PlanKind::Road ||
                                     o.kind == PlanKind::Vehicle;
        if (!drawn)
            continue;
        for (const QPointF& p : o.outline()) {
            left = any ? std::min(left, p.x()) : p.x();
            right = any ? std::max(right, p.x()) : p.x();
            top = any ? std::min(top, p.y()) : p.y();
            bottom = any ? std::max(bottom, p.y()) : p.y();
            any = true;
        }
    }
    return {right - left, bottom - top};
}

struct Fitted {
    int scale;
    PlanMarks marks;
};

std::optional<Fitted> fitted(const SitePlan& plan, const QRectF& area) {
    const QSizeF room = roomFor(area).size();
    const QSizeF metres = outlinedMetres(plan);
    for (const int scale : kSitePlanScales) {
        const double mmPerMetre = 1000.0 / scale;
        if (metres.width() * mmPerMetre > room.width() ||
            metres.height() * mmPerMetre > room.height())
            continue;
        PlanMarks marks = planMarks(plan, scale);
        if (marks.bounds.width() <= room.width() && marks.bounds.height() <= room.height())
            return Fitted{scale, std::move(marks)};
    }
    return std::nullopt;
}

} // namespace

std::optional<int> sitePlanScale(const SitePlan& plan, const QRectF& area) {
    const std::optional<Fitted> fit = fitted(plan, area);
    return fit ? std::optional(fit->scale) : std::nullopt;
}

void drawSitePlan(PrinterSurface& surface, const SitePlan& plan, const QRectF& area) {
    surface.SetFontName(QString::fromUtf16(Typeface::Gothic));
    const std::optional<Fitted> fit = fitted(plan, area);
    if (!fit) {
        surface.SetFontSize(10);
        surface.MoveTo(float(area.left() + 5), float(area.top() + 5));
        surface.PrintText(QStringLiteral("配置図が大きすぎて 1/1000 でも欄に収まりません。"));
    } else {
        const QPointF offset = roomFor(area).center() - fit->marks.bounds.center();
        for (const PlanMark& mark : fit->marks.marks)
            play(surface, mark, offset);
        legend(surface, plan, fit->scale, area);
    }
    surface.SetFontAngle(0);
    surface.SetPenWidth(1);
    surface.SetPenStyle(PenStyle::Solid);
    surface.SetFontName(QString::fromUtf16(Typeface::Mincho));
}

QImage sitePlanPicture(const SitePlan& plan, int dpi) {
    ImageTarget target(dpi);
    PainterSurface surface(target);
    drawSitePlan(surface, plan);
    surface.EndJob();
    const double perMm = dpi / 25.4;
    const QRectF area = kSitePlanAreaMm;
    return target.image().copy(QRectF(area.topLeft() * perMm, area.size() * perMm).toRect());
}

} // namespace mivo
