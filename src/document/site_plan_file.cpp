#include "document/site_plan_file.h"

#include "document/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace mivo {
namespace {

struct KindName {
    PlanKind kind;
    QLatin1StringView name;
};
constexpr KindName kKinds[] = {
    {PlanKind::Bay, QLatin1StringView("bay")},
    {PlanKind::Building, QLatin1StringView("building")},
    {PlanKind::Line, QLatin1StringView("line")},
    {PlanKind::Ground, QLatin1StringView("ground")},
    {PlanKind::Road, QLatin1StringView("road")},
    {PlanKind::Entrance, QLatin1StringView("entrance")},
    {PlanKind::Text, QLatin1StringView("text")},
    {PlanKind::Dimension, QLatin1StringView("dimension")},
    {PlanKind::Vehicle, QLatin1StringView("vehicle")},
};

PlanKind kindNamed(const QString& name) {
    for (const KindName& k : kKinds) {
        if (name == k.name)
            return k.kind;
    }
    return PlanKind::Unknown;
}

// The keys a kind reads; every other key of the object is kept but not read.
enum Key : unsigned {
    kPlace = 1,   // x, y, angle
    kSize = 2,    // width, depth
    kWidth = 4,   // width alone
    kLength = 8,  // length
    kLabel = 16,  // label
    kText = 32,   // text (into label)
    kPoints = 64, // points
    kApplied = 128,
    kHeight = 256,
    kHeightLimit = 512,
};
unsigned keysOf(PlanKind kind) {
    switch (kind) {
    case PlanKind::Bay:
        return kPlace | kSize | kLabel | kApplied | kHeightLimit;
    case PlanKind::Building:
        return kPlace | kSize | kLabel | kPoints;
    case PlanKind::Line:
    case PlanKind::Dimension:
        return kPoints;
    case PlanKind::Ground:
        return kPlace | kSize | kLabel;
    case PlanKind::Road:
        return kPlace | kWidth | kLength | kLabel;
    case PlanKind::Entrance:
        return kPlace | kWidth;
    case PlanKind::Text:
        return kPlace | kText;
    case PlanKind::Vehicle:
        return kPlace | kSize | kLabel | kHeight;
    case PlanKind::Unknown:
        break;
    }
    return 0;
}

class Reader {
  public:
    explicit Reader(const QString& name) : name_(name) {}

    QString error;

    // A number within the limit; `at` names the object (0 for the file itself).
    std::optional<double> number(const QJsonObject& o, QLatin1StringView key, int at,
                                 bool nonNegative) {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return std::nullopt;
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !std::isfinite(d) || std::abs(d) > kSitePlanExtentLimit ||
            (nonNegative && d < 0)) {
            fail(at, key, nonNegative ? QStringLiteral("0 以上の数") : QStringLiteral("数"));
            return std::nullopt;
        }
        return d;
    }

    QString text(const QJsonObject& o, QLatin1StringView key, int at) {
        const QJsonValue v = o.value(key);
        if (!v.isUndefined() && !v.isString())
            fail(at, key, QStringLiteral("文字列"));
        return v.toString();
    }

    QList<QPointF> points(const QJsonObject& o, int at) {
        const QJsonValue v = o.value(QLatin1StringView("points"));
        QList<QPointF> list;
        if (v.isUndefined())
            return list;
        for (const QJsonValue& p : v.toArray()) {
            const QJsonArray pair = p.toArray();
            const double px = pair.at(0).toDouble(std::nan(""));
            const double py = pair.at(1).toDouble(std::nan(""));
            if (pair.size() != 2 || !std::isfinite(px) || !std::isfinite(py) ||
                std::abs(px) > kSitePlanExtentLimit || std::abs(py) > kSitePlanExtentLimit) {
                break;
            }
            list.append({px, py});
        }
        if (!v.isArray() || list.size() != v.toArray().size())
            fail(at, QLatin1StringView("points"), QStringLiteral("[x, y] の並び"));
        return list;
    }

    void fail(int at, QLatin1StringView key, const QString& what) {
        if (!error.isEmpty())
            return;
        const QString where = at > 0 ? QStringLiteral("%1 番目の物の ").arg(at) : QString();
        error = QStringLiteral("配置図「%1」の%2%3 は%4にしてください。")
                    .arg(name_, where, QString(key), what);
    }

  private:
    QString name_;
};

PlanObject readObject(const QJsonObject& o, int at, Reader& r) {
    PlanObject object;
    object.json = o;
    object.kind = kindNamed(o.value(QLatin1StringView("kind")).toString());
    const unsigned keys = keysOf(object.kind);
    const auto num = [&](const char* key, bool nonNegative) {
        return r.number(o, QLatin1StringView(key), at, nonNegative).value_or(0);
    };
    if (keys & kPlace) {
        object.x = num("x", false);
        object.y = num("y", false);
        object.angle = std::fmod(num("angle", false), 360.0);
    }
    if (keys & (kSize | kWidth))
        object.width = num("width", true);
    if (keys & kSize)
        object.depth = num("depth", true);
    if (keys & kLength)
        object.length = num("length", true);
    if (keys & kLabel)
        object.label = r.text(o, QLatin1StringView("label"), at);
    if (keys & kText)
        object.label = r.text(o, QLatin1StringView("text"), at);
    if (keys & kPoints)
        object.points = r.points(o, at);
    if (keys & kApplied)
        object.applied = o.value(QLatin1StringView("applied")).toBool();
    if (keys & kHeight)
        object.height = r.number(o, QLatin1StringView("height"), at, true);
    if (keys & kHeightLimit)
        object.heightLimit = r.number(o, QLatin1StringView("heightLimit"), at, true);
    return object;
}

void put(QJsonObject& o, const char* key, bool wanted, const QJsonValue& value) {
    if (wanted)
        o.insert(QLatin1StringView(key), value);
    else
        o.remove(QLatin1StringView(key));
}

QJsonObject writeObject(const PlanObject& object) {
    QJsonObject o = object.json;
    const unsigned keys = keysOf(object.kind);
    if (object.kind == PlanKind::Unknown)
        return o;
    for (const KindName& k : kKinds) {
        if (k.kind == object.kind)
            o.insert(QLatin1StringView("kind"), QString(k.name));
    }
    put(o, "x", keys & kPlace, object.x);
    put(o, "y", keys & kPlace, object.y);
    put(o, "angle", (keys & kPlace) && object.angle != 0, object.angle);
    put(o, "width", keys & (kSize | kWidth), object.width);
    put(o, "depth", keys & kSize, object.depth);
    put(o, "length", keys & kLength, object.length);
    put(o, "label", (keys & kLabel) && !object.label.isEmpty(), object.label);
    put(o, "text", keys & kText, object.label);
    put(o, "applied", (keys & kApplied) && object.applied, true);
    put(o, "height", (keys & kHeight) && object.height, object.height.value_or(0));
    put(o, "heightLimit", (keys & kHeightLimit) && object.heightLimit,
        object.heightLimit.value_or(0));
    QJsonArray points;
    for (const QPointF& p : object.points)
        points.append(QJsonArray{p.x(), p.y()});
    put(o, "points", (keys & kPoints) && !object.points.isEmpty(), points);
    return o;
}

} // namespace

SitePlanRead readSitePlan(const QByteArray& json, const QString& name) {
    SitePlanRead read;
    if (json.size() > kSitePlanFileLimit) {
        read.error = QStringLiteral("配置図「%1」は 1 MiB を超えています。").arg(name);
        return read;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    const QJsonObject top = document.object();
    const QJsonValue objects = top.value(QLatin1StringView("objects"));
    if (parseError.error != QJsonParseError::NoError || !document.isObject() ||
        top.value(QLatin1StringView("version")) != QJsonValue(1) || !objects.isArray()) {
        read.error =
            QStringLiteral("「%1」は配置図のファイル（JSON、version 1）ではありません。").arg(name);
        return read;
    }
    const QJsonArray list = objects.toArray();
    if (list.size() > kSitePlanObjectLimit) {
        read.error = QStringLiteral("配置図「%1」の物が %2 を超えています。")
                         .arg(name)
                         .arg(kSitePlanObjectLimit);
        return read;
    }
    Reader reader(name);
    SitePlan& plan = read.plan;
    plan.json = top;
    plan.json.remove(QLatin1StringView("objects")); // written again from the objects
    plan.north = reader.number(top, QLatin1StringView("north"), 0, false);
    plan.objects.reserve(size_t(list.size()));
    for (qsizetype i = 0; i < list.size() && reader.error.isEmpty(); ++i) {
        if (!list.at(i).isObject() || !list.at(i).toObject().value(u"kind").isString()) {
            reader.fail(int(i) + 1, QLatin1StringView("kind"), QStringLiteral("文字列"));
            break;
        }
        plan.objects.push_back(readObject(list.at(i).toObject(), int(i) + 1, reader));
    }
    if (!reader.error.isEmpty())
        return {SitePlan{}, reader.error};
    return read;
}

SitePlanRead loadSitePlanFile(const QByteArray& path) {
    const FileContents file = readRegularFile(path, kSitePlanFileLimit);
    const QString name = QFileInfo(QFile::decodeName(path)).fileName();
    if (!file.ok())
        return {SitePlan{}, file.error};
    return readSitePlan(file.data, name);
}

QByteArray sitePlanJson(const SitePlan& plan) {
    QJsonObject top = plan.json;
    top.insert(QLatin1StringView("version"), 1);
    put(top, "north", bool(plan.north), plan.north.value_or(0));
    QJsonArray objects;
    for (const PlanObject& o : plan.objects)
        objects.append(writeObject(o));
    top.insert(QLatin1StringView("objects"), objects);
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

} // namespace mivo
