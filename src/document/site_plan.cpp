#include "document/site_plan.h"

#include <cmath>

namespace mivo {

QTransform PlanObject::placement() const {
    QTransform t;
    t.translate(x, y);
    t.rotate(angle);
    return t;
}

bool PlanObject::isArea() const {
    switch (kind) {
    case PlanKind::Bay:
    case PlanKind::Building:
    case PlanKind::Ground:
    case PlanKind::Road:
    case PlanKind::Vehicle:
        return true;
    default:
        return false;
    }
}

QPolygonF PlanObject::outline() const {
    switch (kind) {
    case PlanKind::Line:
    case PlanKind::Dimension:
        return QPolygonF(points);
    case PlanKind::Building:
        if (points.size() >= 3)
            return QPolygonF(points);
        break;
    case PlanKind::Entrance:
        return placement().map(QPolygonF({{0, 0}, {width, 0}}));
    case PlanKind::Text:
        return QPolygonF({{x, y}});
    case PlanKind::Unknown:
        return {};
    default:
        break;
    }
    const double along = kind == PlanKind::Road ? length : width;
    const double across = kind == PlanKind::Road ? width : depth;
    return placement().map(QPolygonF(QRectF(0, 0, along, across)));
}

QRectF SitePlan::bounds() const {
    // By hand: QRectF::united() drops the empty rectangle of a point or a straight line.
    std::optional<QRectF> all;
    for (const PlanObject& o : objects) {
        for (const QPointF& p : o.outline()) {
            if (!all) {
                all = QRectF(p, p);
                continue;
            }
            all->setLeft(std::min(all->left(), p.x()));
            all->setTop(std::min(all->top(), p.y()));
            all->setRight(std::max(all->right(), p.x()));
            all->setBottom(std::max(all->bottom(), p.y()));
        }
    }
    return all.value_or(QRectF());
}

const PlanObject* SitePlan::appliedBay() const {
    for (const PlanObject& o : objects) {
        if (o.kind == PlanKind::Bay && o.applied)
            return &o;
    }
    return nullptr;
}

QString metresText(double metres) {
    return QString::number(std::round(metres * 10) / 10, 'f', 1) + u'm';
}

std::vector<PlanObject> bayRow(double x, double y, int count, double width, double depth,
                               int first) {
    std::vector<PlanObject> row;
    for (int i = 0; i < count; ++i) {
        PlanObject bay;
        bay.kind = PlanKind::Bay;
        bay.x = x + i * width;
        bay.y = y;
        bay.width = width;
        bay.depth = depth;
        bay.label = QString::number(first + i);
        row.push_back(bay);
    }
    return row;
}

} // namespace mivo
