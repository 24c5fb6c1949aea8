#include "document/site_plan_templates.h"

namespace mivo {
namespace {

PlanObject rect(PlanKind kind, double x, double y, double width, double depth,
                const QString& label = {}) {
    PlanObject o;
    o.kind = kind;
    o.x = x;
    o.y = y;
    o.width = width;
    o.depth = depth;
    o.label = label;
    return o;
}

PlanObject road(double x, double y, double length, double width) {
    PlanObject o;
    o.kind = PlanKind::Road;
    o.x = x;
    o.y = y;
    o.length = length;
    o.width = width;
    o.label = QStringLiteral("市道");
    return o;
}

PlanObject entrance(double x, double y, double width) {
    return rect(PlanKind::Entrance, x, y, width, 0);
}

PlanObject boundary(QList<QPointF> points) {
    PlanObject o;
    o.kind = PlanKind::Line;
    o.points = std::move(points);
    return o;
}

PlanObject text(double x, double y, const QString& words) {
    return rect(PlanKind::Text, x, y, 0, 0, words);
}

SitePlan withNorth(std::vector<PlanObject> objects) {
    SitePlan plan;
    plan.north = 0;
    plan.objects = std::move(objects);
    return plan;
}

// A house at the back of its lot, the bay in front beside it, the road along the front.
SitePlan home() {
    PlanObject bay = rect(PlanKind::Bay, 10, 6, 2.5, 5.0);
    bay.applied = true;
    return withNorth({
        boundary({{0, 11}, {0, 0}, {16, 0}, {16, 11}}),
        rect(PlanKind::Building, 1, 1, 7, 7, QStringLiteral("自宅")), // room for the 5.0m beside it
        bay,
        road(-2, 11, 20, 4.0),
        entrance(10, 11, 3.0),
    });
}

// One row of bays along the road, the applied one marked.
SitePlan oneRow() {
    std::vector<PlanObject> objects = bayRow(0, 0, 6, 2.5, 5.0, 1);
    objects[2].applied = true;
    objects.push_back(boundary({{-0.5, 5}, {-0.5, -0.5}, {15.5, -0.5}, {15.5, 5}}));
    objects.push_back(road(-3, 5, 21, 6.0));
    objects.push_back(entrance(0, 5, 15.0));
    return withNorth(std::move(objects));
}

// Two rows facing each other across an aisle, the entrance from the road at the aisle's end.
SitePlan twoRows() {
    std::vector<PlanObject> objects = bayRow(0, 0, 5, 2.5, 5.0, 1);
    for (PlanObject& bay : bayRow(0, 11, 5, 2.5, 5.0, 6))
        objects.push_back(bay);
    objects[6].applied = true;
    objects.push_back(rect(PlanKind::Ground, 0, 5, 12.5, 6, QStringLiteral("通路")));
    objects.push_back(boundary({{0, -0.5}, {13, -0.5}, {13, 16.5}, {0, 16.5}}));
    PlanObject street = road(-6, -3, 22, 6.0);
    street.angle = 90;
    street.x = -0.5;
    objects.push_back(street);
    PlanObject way = entrance(-0.5, 5, 6.0);
    way.angle = 90; // down the lot's left edge at the aisle, the way in from the road
    objects.push_back(way);
    return withNorth(std::move(objects));
}

// A machine park: the pallet is the bay, its limits stated as text.
SitePlan machine() {
    PlanObject bay = rect(PlanKind::Bay, 0, 0, 2.1, 5.3, QStringLiteral("1"));
    bay.applied = true;
    bay.heightLimit = 1.55;
    std::vector<PlanObject> objects{
        rect(PlanKind::Building, -1, -1, 4.1, 7.3, QStringLiteral("機械式駐車場")),
        bay,
        road(-6, 6.3, 16, 6.0),
        entrance(0, 6.3, 2.1),
        text(4, 0, QStringLiteral("高さ制限 1.55m")),
        text(4, 1.5, QStringLiteral("重量制限 2.0t")),
    };
    return withNorth(std::move(objects));
}

constexpr SitePlanTemplate kTemplates[] = {
    {u"自宅の敷地", home},
    {u"月極駐車場 一列", oneRow},
    {u"月極駐車場 二列と通路", twoRows},
    {u"立体・機械式", machine},
};

} // namespace

std::span<const SitePlanTemplate> sitePlanTemplates() { return kTemplates; }

} // namespace mivo
