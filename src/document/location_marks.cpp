#include "document/location_marks.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/NormalGravity.hpp>

#include <QLineF>

#include <cmath>

namespace mivo {

namespace {

constexpr double kPi = 3.14159265358979323846;

double worldPixels(int zoom) { return 256.0 * std::ldexp(1.0, zoom); }

} // namespace

GeoPoint geoOfPixel(const MapTiling& t, QPointF pixel) {
    const double size = worldPixels(t.zoom);
    const double x = (t.left + pixel.x() / t.pixelsPerTilePixel) / size;
    const double y = (t.top + pixel.y() / t.pixelsPerTilePixel) / size;
    return {std::atan(std::sinh(kPi * (1 - 2 * y))) * 180 / kPi, x * 360 - 180};
}

QPointF pixelOfGeo(const MapTiling& t, GeoPoint geo) {
    const double size = worldPixels(t.zoom);
    const double lat = geo.lat * kPi / 180;
    const double x = (geo.lon + 180) / 360 * size;
    const double y = (1 - std::log(std::tan(lat) + 1 / std::cos(lat)) / kPi) / 2 * size;
    return {(x - t.left) * t.pixelsPerTilePixel, (y - t.top) * t.pixelsPerTilePixel};
}

double geodesicMetres(GeoPoint a, GeoPoint b) {
    // Japan's datum (JGD2011) is on GRS80.
    static const GeographicLib::Geodesic grs80(
        GeographicLib::NormalGravity::GRS80().EquatorialRadius(),
        GeographicLib::NormalGravity::GRS80().Flattening());
    double metres = 0;
    grs80.Inverse(a.lat, a.lon, b.lat, b.lon, metres);
    return metres;
}

std::optional<MapDistance> distanceOf(const LocationMarks& marks) {
    if (marks.typedDistance)
        return MapDistance{*marks.typedDistance, DistanceSource::Typed};
    if (!marks.home || !marks.parking)
        return std::nullopt;
    if (marks.home->geo && marks.parking->geo)
        return MapDistance{geodesicMetres(*marks.home->geo, *marks.parking->geo),
                           DistanceSource::Geodesic};
    if (marks.scale) {
        const double bar = QLineF(marks.scale->from, marks.scale->to).length();
        if (bar > 0 && marks.scale->metres > 0) {
            const double apart = QLineF(marks.home->pixel, marks.parking->pixel).length();
            return MapDistance{apart * marks.scale->metres / bar, DistanceSource::Scale};
        }
    }
    return std::nullopt;
}

QString distanceText(double metres) {
    const long long rounded = std::llround(metres / 10.0) * 10;
    return QStringLiteral("直線距離 約%1m").arg(rounded);
}

QString tooFarText(const LocationMarks& marks) {
    if (marks.omit)
        return {};
    const std::optional<MapDistance> distance = distanceOf(marks);
    if (!distance || distance->metres <= kMostParkingDistanceMetres)
        return {};
    return QStringLiteral("直線距離が2kmを超えています");
}

} // namespace mivo
