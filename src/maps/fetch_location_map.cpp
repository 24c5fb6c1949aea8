#include "maps/fetch_location_map.h"

namespace mivo {

LocationMapFetch fetchLocationMap(MapFetcher& fetcher, const LocationMarks& marks) {
    LocationMapFetch out;
    if (!marks.home || !marks.home->geo || !marks.parking || !marks.parking->geo) {
        out.error = QStringLiteral("地図を取得するには、使用の本拠の位置と保管場所の位置の両方に"
                                   "緯度と経度が要ります。");
        return out;
    }
    const FetchedMap map = fetcher.fetchMap(*marks.home->geo, *marks.parking->geo);
    if (!map.error.isEmpty()) {
        out.error = map.error;
        return out;
    }
    out.picture = map.picture;
    out.marks = marks;
    out.marks.scale.reset();
    out.marks.tiling = map.tiling;
    for (std::optional<MapMark>* mark : {&out.marks.home, &out.marks.parking})
        (*mark)->pixel = pixelOfGeo(map.tiling, *(*mark)->geo);
    return out;
}

} // namespace mivo
