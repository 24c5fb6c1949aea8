#pragma once

#include <QPointF>
#include <QString>

#include <optional>

namespace mivo {

// A place on the earth, in degrees.
struct GeoPoint {
    double lat = 0;
    double lon = 0;
    bool operator==(const GeoPoint&) const = default;
};

// One of the two places on the location map: where it is on the picture (pixels from its
// top-left corner) and, when known, where it is on the earth.
struct MapMark {
    QPointF pixel;
    std::optional<GeoPoint> geo;
    bool operator==(const MapMark&) const = default;
};

// Two points on the picture a known distance apart (a map's scale bar).
struct MapScale {
    QPointF from;
    QPointF to;
    double metres = 0;
    bool operator==(const MapScale&) const = default;
};

// Where a picture fetched from the map tiles lies: the zoom and the world pixel (256 to a tile
// at that zoom) of the picture's top-left corner, and how many picture pixels stand for one
// tile pixel. A picture with a tiling carries the tiles' attribution when printed.
struct MapTiling {
    int zoom = 0;
    double left = 0;
    double top = 0;
    double pixelsPerTilePixel = 1;
    bool operator==(const MapTiling&) const = default;
};

// Between a picture pixel and the earth through the tiles' Web Mercator projection.
GeoPoint geoOfPixel(const MapTiling& tiling, QPointF pixel);
QPointF pixelOfGeo(const MapTiling& tiling, GeoPoint geo);

// The location map's marks: the place of use (使用の本拠の位置) and the parking place
// (保管場所の位置), the straight line between them and its distance. The picture itself is
// the layout drawing's location map.
struct LocationMarks {
    std::optional<MapMark> home;
    std::optional<MapMark> parking;
    std::optional<MapScale> scale;
    std::optional<double> typedDistance; // metres, as the user typed it
    std::optional<MapTiling> tiling;
    bool omit = false; // the location map is left out, as the law allows

    bool isEmpty() const { return *this == LocationMarks{}; }
    bool operator==(const LocationMarks&) const = default;
};

// Where the distance came from, in the order it is taken.
enum class DistanceSource { Typed, Geodesic, Scale };

struct MapDistance {
    double metres = 0;
    DistanceSource source = DistanceSource::Typed;
};

// The distance between the two places: the typed one; else the geodesic on the GRS80
// ellipsoid between the marks' latitudes and longitudes; else the marks' distance on the
// picture through its scale. None when none of these is known.
std::optional<MapDistance> distanceOf(const LocationMarks& marks);

// The geodesic distance in metres on the GRS80 ellipsoid.
double geodesicMetres(GeoPoint a, GeoPoint b);

// The parking place must lie within this straight-line distance of the place of use.
inline constexpr double kMostParkingDistanceMetres = 2000;

// 「直線距離 約850m」: metres rounded to 10 m.
QString distanceText(double metres);

// 「直線距離が2kmを超えています」 when the distance is over the limit, else empty.
QString tooFarText(const LocationMarks& marks);

// The sentence printed in the left half instead of the map when it is left out.
inline constexpr char16_t kOmittedLocationText[] = u"所在図を省略（使用の本拠と同じ場所）";

} // namespace mivo
