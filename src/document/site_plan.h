#pragma once

#include <QJsonObject>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>
#include <vector>

namespace mivo {

// What an object of a 配置図 (site plan) is. Unknown: a kind this version does not know; it is
// kept in the file and otherwise ignored.
enum class PlanKind {
    Bay,       // 駐車区画; the applied one is the 保管場所
    Building,  // 建物: a rectangle, or a polygon when it has points
    Line,      // 塀・境界
    Ground,    // 空地
    Road,      // 道路
    Entrance,  // 出入口
    Text,      // free text
    Dimension, // a free dimension line between two points
    Vehicle,   // the vehicle to scale
    Unknown,
};

// One object of a site plan, in metres: x to the right, y downward. (x, y) is the top-left
// corner before rotation; `angle` turns the object clockwise about that corner, in degrees.
struct PlanObject {
    PlanKind kind = PlanKind::Unknown;
    double x = 0, y = 0;
    // Along x before rotation: a bay's, building's, ground's or vehicle's width; an entrance's
    // width along its edge. A road's 幅員 across it (along y).
    double width = 0;
    double depth = 0;  // along y: bay, building, ground, vehicle (its length)
    double length = 0; // a road's extent along it (along x)
    double angle = 0;
    QString label;                     // a bay's number, a building's or road's name; a text's text
    bool applied = false;              // a bay: the one the application is for
    std::optional<double> height;      // a vehicle's height
    std::optional<double> heightLimit; // a bay's stated height limit (立体・機械式)
    QList<QPointF> points;             // a line's, a dimension's, a polygon building's
    QJsonObject json;                  // as read, so that keys this version ignores go back out

    // Local coordinates (before rotation, from the corner) to the plan's.
    QTransform placement() const;
    // The object's outline in plan metres: the rotated rectangle, the polygon, or the points.
    QPolygonF outline() const;
    bool isArea() const; // a closed shape with an inside

    bool operator==(const PlanObject&) const = default;
};

struct SitePlan {
    std::optional<double> north; // the north arrow, clockwise from up; none: no arrow
    std::vector<PlanObject> objects;
    QJsonObject json; // the file's own keys, kept

    bool isEmpty() const { return objects.empty() && !north; }
    // What the objects cover, in metres; empty for a plan without known objects.
    QRectF bounds() const;
    // The applied bay, or null.
    const PlanObject* appliedBay() const;
};

// A length as the plan prints it: one decimal and m (2.5m).
QString metresText(double metres);

// n bays of width × depth side by side from (x, y), numbered from `first`.
std::vector<PlanObject> bayRow(double x, double y, int count, double width, double depth,
                               int first);

} // namespace mivo
