#pragma once

#include "document/location_marks.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mivo {

// The location map's marks as JSON, version 1:
//   {"version": 1, "picture": "map.png",
//    "home": {"x": 120, "y": 340, "lat": 35.6812, "lon": 139.7671},
//    "parking": {"x": 610, "y": 95},
//    "scale": {"from": {"x": 20, "y": 760}, "to": {"x": 220, "y": 760}, "metres": 100},
//    "distance": 850, "omit": false,
//    "tiles": {"z": 16, "x": 58176.5, "y": 25796.0, "scale": 2}}
// Every key but "version" may be left out; "tiles" says the picture was fetched from the map
// tiles and where it lies. An unknown key is refused, so that a misspelt one is not ignored.

// The most a marks file may hold: far more than any set of marks.
inline constexpr qint64 kLocationFileLimit = 64 * 1024;

struct LocationJson {
    LocationMarks marks;
    QString picture; // as written in the file; empty when there is none
    QString error;   // what is wrong, in words for the user; empty when sound
};

// Reads the JSON; marks are not yet checked against a picture.
LocationJson locationFromJson(const QByteArray& json);

// The marks as JSON; `picture` is written when not empty.
QByteArray locationToJson(const LocationMarks& marks, const QString& picture = {});

// Why a mark or the scale lies outside the picture, or empty.
QString checkMarksOnPicture(const LocationMarks& marks, const QImage& picture);

struct LocationFile {
    LocationMarks marks;
    QImage picture; // null when the file names none
    QString error;  // names the file; empty when sound

    bool ok() const { return error.isEmpty(); }
};

// Reads a marks file and the picture it names, relative to the file's folder. `path` is the
// file system's own bytes.
LocationFile loadLocationFile(const QByteArray& path);

} // namespace mivo
