#pragma once

#include "document/location_marks.h"
#include "maps/tile_cache.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QSize>
#include <QString>

#include <optional>

class QEventLoop;
class QNetworkReply;

namespace mivo {

// Where addresses are looked up and tiles fetched: 国土地理院's address search and its
// 地理院タイル unless the settings (map/geocoder, map/tiles) say otherwise.
struct MapSources {
    QString geocoder;
    QString tiles; // with {z}, {x} and {y}

    static const QString kGeocoder;
    static const QString kStandardTiles; // 標準地図
    static const QString kPaleTiles;     // 淡色地図
    // The settings' addresses; an unset one is 国土地理院's (tiles: `tiles`).
    static MapSources fromSettings(const QString& tiles = kStandardTiles);
    // Whether the settings name their own tiles, so that the choice of 国土地理院's maps has
    // no say.
    static bool tilesFromSettings();
};

// The part of the world a fetched map shows: the zoom and the top-left world pixel of a
// picture of `size` pixels that holds both places with a margin, as large as the zoom allows.
MapTiling mapWindow(GeoPoint a, GeoPoint b, QSize size);

// The picture a map is stitched to: the left area of the page at 200 pixels to the inch.
inline constexpr QSize kMapPictureSize{930, 985};

struct GeocodeResult {
    std::optional<GeoPoint> place;
    QString title;         // the address as the search found it
    QString error;         // in words for the user; empty when found
    bool notFound = false; // the search answered, with nothing for the address
};

struct FetchedMap {
    QImage picture;
    MapTiling tiling;
    QString error; // in words for the user; empty when fetched
    int fromCache = 0, fromNetwork = 0;
};

// Looks addresses up and fetches maps, each request waiting at most ten seconds. The calls
// wait for their answers while the event loop runs, so a window can stop them with cancel().
// Nothing is sent but what each call says.
class MapFetcher {
  public:
    static constexpr int kTimeoutMs = 10000;

    // `timeoutMs`: how long each request may wait for its whole answer.
    explicit MapFetcher(MapSources sources, TileCache cache = TileCache(),
                        int timeoutMs = kTimeoutMs);

    // The best match of the address search.
    GeocodeResult geocode(const QString& address);
    // The tiles that hold both places, from the cache or the network, stitched together.
    FetchedMap fetchMap(GeoPoint a, GeoPoint b, QSize size = kMapPictureSize);

    // Aborts the requests under way: the call waiting on them fails at once, and every later
    // call fails without sending anything. Nothing half-fetched is kept in the cache.
    void cancel();
    bool cancelled() const { return cancelled_; }

  private:
    struct Answer {
        QByteArray body;
        QString error;
    };
    // Each address's body, in order; the first failure ends them all.
    std::vector<Answer> getAll(const QList<QUrl>& urls, qint64 mostBytes);

    MapSources sources_;
    TileCache cache_;
    int timeoutMs_;
    QNetworkAccessManager network_;
    QEventLoop* waiting_ = nullptr; // while getAll waits for answers
    bool cancelled_ = false;
};

} // namespace mivo
