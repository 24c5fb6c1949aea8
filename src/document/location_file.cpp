#include "document/location_file.h"

#include "document/picture_file.h"
#include "document/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace mivo {
namespace {

// Far beyond any picture the loader accepts, and any distance worth printing.
constexpr double kMostPixel = 1e6;
constexpr double kMostMetres = 1e7;

// Reads one part of the JSON; the first fault found is kept in `error`.
class Reader {
  public:
    QString error;

    bool fail(const QString& message) {
        if (error.isEmpty())
            error = message;
        return false;
    }

    bool onlyKeys(const QJsonObject& object, const QString& where,
                  std::initializer_list<const char*> keys) {
        for (const QString& key : object.keys()) {
            if (std::none_of(keys.begin(), keys.end(),
                             [&](const char* known) { return key == QLatin1String(known); }))
                return fail(QStringLiteral("%1「%2」という項目はありません").arg(where, key));
        }
        return true;
    }

    std::optional<double> number(const QJsonObject& object, const char* key, const QString& where,
                                 double least, double most) {
        const QJsonValue value = object.value(QLatin1String(key));
        const double n = value.toDouble(qQNaN());
        if (!value.isDouble() || !std::isfinite(n) || n < least || n > most) {
            fail(QStringLiteral("%1%2 は %3 から %4 の数にしてください")
                     .arg(where, QLatin1String(key))
                     .arg(least)
                     .arg(most));
            return std::nullopt;
        }
        return n;
    }

    std::optional<QPointF> pixel(const QJsonValue& value, const QString& where) {
        if (!value.isObject()) {
            fail(QStringLiteral("%1 は {\"x\": …, \"y\": …} にしてください").arg(where));
            return std::nullopt;
        }
        const QJsonObject o = value.toObject();
        const QString inside = where + QLatin1Char('.');
        if (!onlyKeys(o, inside, {"x", "y", "lat", "lon"}))
            return std::nullopt;
        const auto x = number(o, "x", inside, 0, kMostPixel);
        const auto y = number(o, "y", inside, 0, kMostPixel);
        if (!x || !y)
            return std::nullopt;
        return QPointF(*x, *y);
    }

    std::optional<MapMark> mark(const QJsonValue& value, const QString& where) {
        const std::optional<QPointF> at = pixel(value, where);
        if (!at)
            return std::nullopt;
        MapMark m{*at, std::nullopt};
        const QJsonObject o = value.toObject();
        const bool lat = o.contains(QLatin1String("lat")), lon = o.contains(QLatin1String("lon"));
        if (lat != lon) {
            fail(QStringLiteral("%1 には lat と lon を両方書いてください").arg(where));
            return std::nullopt;
        }
        if (lat) {
            const QString inside = where + QLatin1Char('.');
            const auto la = number(o, "lat", inside, -90, 90);
            const auto lo = number(o, "lon", inside, -180, 180);
            if (!la || !lo)
                return std::nullopt;
            m.geo = GeoPoint{*la, *lo};
        }
        return m;
    }
};

QJsonObject pixelJson(QPointF p) { return {{"x", p.x()}, {"y", p.y()}}; }

QJsonObject markJson(const MapMark& m) {
    QJsonObject o = pixelJson(m.pixel);
    if (m.geo) {
        o.insert(QLatin1String("lat"), m.geo->lat);
        o.insert(QLatin1String("lon"), m.geo->lon);
    }
    return o;
}

} // namespace

LocationJson locationFromJson(const QByteArray& json) {
    LocationJson out;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        out.error = QStringLiteral("JSON のオブジェクトとして読めません");
        return out;
    }
    const QJsonObject o = document.object();
    Reader r;
    const QJsonValue version = o.value(QLatin1String("version"));
    if (version.toDouble() != 1) {
        out.error = version.isUndefined()
                        ? QStringLiteral("\"version\": 1 がありません")
                        : QStringLiteral("版 %1 は読めません（版 1 だけ読めます）")
                              .arg(version.toVariant().toString());
        return out;
    }
    r.onlyKeys(o, QString(),
               {"version", "picture", "home", "parking", "scale", "distance", "omit", "tiles"});
    LocationMarks& m = out.marks;
    if (o.contains(QLatin1String("picture"))) {
        out.picture = o.value(QLatin1String("picture")).toString();
        if (out.picture.isEmpty())
            r.fail(QStringLiteral("picture は画像ファイルの名前にしてください"));
    }
    if (o.contains(QLatin1String("home")))
        m.home = r.mark(o.value(QLatin1String("home")), QStringLiteral("home"));
    if (o.contains(QLatin1String("parking")))
        m.parking = r.mark(o.value(QLatin1String("parking")), QStringLiteral("parking"));
    if (o.contains(QLatin1String("scale"))) {
        const QJsonObject s = o.value(QLatin1String("scale")).toObject();
        if (r.onlyKeys(s, QStringLiteral("scale."), {"from", "to", "metres"})) {
            const auto from = r.pixel(s.value(QLatin1String("from")), QStringLiteral("scale.from"));
            const auto to = r.pixel(s.value(QLatin1String("to")), QStringLiteral("scale.to"));
            const auto metres = r.number(s, "metres", QStringLiteral("scale."), 0.01, kMostMetres);
            if (from && to && metres) {
                if (*from == *to)
                    r.fail(QStringLiteral("scale の from と to は別の点にしてください"));
                m.scale = MapScale{*from, *to, *metres};
            }
        }
    }
    if (o.contains(QLatin1String("distance")))
        m.typedDistance = r.number(o, "distance", QString(), 0, kMostMetres);
    if (o.contains(QLatin1String("omit"))) {
        const QJsonValue omit = o.value(QLatin1String("omit"));
        if (!omit.isBool())
            r.fail(QStringLiteral("omit は true か false にしてください"));
        m.omit = omit.toBool();
    }
    if (o.contains(QLatin1String("tiles"))) {
        const QJsonObject t = o.value(QLatin1String("tiles")).toObject();
        if (r.onlyKeys(t, QStringLiteral("tiles."), {"z", "x", "y", "scale"})) {
            const QString in = QStringLiteral("tiles.");
            const auto z = r.number(t, "z", in, 0, 22);
            const auto x = r.number(t, "x", in, 0, 256.0 * (1 << 22));
            const auto y = r.number(t, "y", in, 0, 256.0 * (1 << 22));
            const auto scale = r.number(t, "scale", in, 0.25, 16);
            if (z && x && y && scale)
                m.tiling = MapTiling{int(*z), *x, *y, *scale};
        }
    }
    out.error = r.error;
    return out;
}

QByteArray locationToJson(const LocationMarks& m, const QString& picture) {
    QJsonObject o{{"version", 1}};
    if (!picture.isEmpty())
        o.insert(QLatin1String("picture"), picture);
    if (m.home)
        o.insert(QLatin1String("home"), markJson(*m.home));
    if (m.parking)
        o.insert(QLatin1String("parking"), markJson(*m.parking));
    if (m.scale) {
        o.insert(QLatin1String("scale"), QJsonObject{{"from", pixelJson(m.scale->from)},
                                                     {"to", pixelJson(m.scale->to)},
                                                     {"metres", m.scale->metres}});
    }
    if (m.typedDistance)
        o.insert(QLatin1String("distance"), *m.typedDistance);
    o.insert(QLatin1String("omit"), m.omit);
    if (m.tiling) {
        o.insert(QLatin1String("tiles"), QJsonObject{{"z", m.tiling->zoom},
                                                     {"x", m.tiling->left},
                                                     {"y", m.tiling->top},
                                                     {"scale", m.tiling->pixelsPerTilePixel}});
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QString checkMarksOnPicture(const LocationMarks& m, const QImage& picture) {
    const QRectF area(QPointF(0, 0), QSizeF(picture.size()));
    const auto outside = [&](QPointF p) {
        return p.x() < 0 || p.y() < 0 || p.x() > area.width() || p.y() > area.height();
    };
    if (m.home && outside(m.home->pixel))
        return QStringLiteral("home（使用の本拠の位置）が画像の外にあります");
    if (m.parking && outside(m.parking->pixel))
        return QStringLiteral("parking（保管場所の位置）が画像の外にあります");
    if (m.scale && (outside(m.scale->from) || outside(m.scale->to)))
        return QStringLiteral("scale の点が画像の外にあります");
    return {};
}

LocationFile loadLocationFile(const QByteArray& path) {
    LocationFile out;
    const QString name = QFileInfo(QFile::decodeName(path)).fileName();
    const auto fail = [&](const QString& reason) {
        out.error = QStringLiteral("所在図のファイル「%1」: %2。").arg(name, reason);
        out.marks = {};
        out.picture = QImage();
        return out;
    };
    const FileContents file = readRegularFile(path, kLocationFileLimit);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    LocationJson json = locationFromJson(file.data);
    if (!json.error.isEmpty())
        return fail(json.error);
    out.marks = json.marks;
    if (json.picture.isEmpty())
        return out;
    const QString folder = QFileInfo(QFile::decodeName(path)).path();
    PictureLoad load = loadPictureFile(QDir(folder).filePath(json.picture));
    if (!load.ok()) {
        out.error = load.error;
        out.marks = {};
        return out;
    }
    if (const QString error = checkMarksOnPicture(out.marks, load.picture); !error.isEmpty())
        return fail(error);
    out.picture = std::move(load.picture);
    return out;
}

} // namespace mivo
