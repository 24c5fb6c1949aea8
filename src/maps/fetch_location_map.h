#pragma once

#include "document/location_marks.h"
#include "maps/map_fetcher.h"

#include <QImage>
#include <QString>

namespace mivo {

struct LocationMapFetch {
    QImage picture;
    LocationMarks marks;
    QString error; // in words for the user; empty when fetched
};

// A map around both places of `marks` (each with its latitude and longitude), with each
// mark put where its place is on it. The scale and the marks' old pixels go; the typed
// distance and the choice to leave the map out stay.
LocationMapFetch fetchLocationMap(MapFetcher& fetcher, const LocationMarks& marks);

} // namespace mivo
