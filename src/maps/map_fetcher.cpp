#include "maps/map_fetcher.h"

#include "document/picture_file.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QUrlQuery>

#include <cmath>

namespace mivo {
namespace {

constexpr int kTileSize = 256;
constexpr int kMostZoom = 18;    // the deepest zoom of 標準地図 and 淡色地図
constexpr double kMargin = 0.15; // of the picture, on each side of the two places
constexpr qint64 kMostTileBytes = 4 * 1024 * 1024;
constexpr qint64 kMostSearchBytes = 1024 * 1024;

QSettings settings() { return QSettings(QStringLiteral("mivo"), QStringLiteral("mivo")); }

QPointF worldPixel(GeoPoint geo, int zoom) { return pixelOfGeo(MapTiling{zoom, 0, 0, 1}, geo); }

QString tileUrl(const QString& pattern, int z, int x, int y) {
    return QString(pattern)
        .replace(QLatin1String("{z}"), QString::number(z))
        .replace(QLatin1String("{x}"), QString::number(x))
        .replace(QLatin1String("{y}"), QString::number(y));
}

// Why a reply failed, in words for the user; empty when it brought its body.
QString failureOf(QNetworkReply* reply) {
    const QString host = reply->url().host();
    if (reply->property("timedOut").toBool())
        return QStringLiteral("%1 が時間内に応答しませんでした。ネットワークを確かめて、"
                              "やり直してください。")
            .arg(host);
    if (reply->property("tooLarge").toBool())
        return QStringLiteral("%1 の応答が大きすぎるため、読み込みをやめました。").arg(host);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return QStringLiteral("%1 から取得できませんでした（HTTP %2）。時間をおいてやり直して"
                              "ください。")
            .arg(host)
            .arg(status);
    if (reply->error() != QNetworkReply::NoError)
        return QStringLiteral("%1 に接続できませんでした。ネットワークにつながっているかを確かめ"
                              "てください。")
            .arg(host.isEmpty() ? reply->url().toDisplayString() : host);
    return {};
}

} // namespace

const QString MapSources::kGeocoder =
    QStringLiteral("https://msearch.gsi.go.jp/address-search/AddressSearch");
const QString MapSources::kStandardTiles =
    QStringLiteral("https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png");
const QString MapSources::kPaleTiles =
    QStringLiteral("https://cyberjapandata.gsi.go.jp/xyz/pale/{z}/{x}/{y}.png");

MapSources MapSources::fromSettings(const QString& tiles) {
    const QSettings s = settings();
    return {s.value(QStringLiteral("map/geocoder"), kGeocoder).toString(),
            s.value(QStringLiteral("map/tiles"), tiles).toString()};
}

bool MapSources::tilesFromSettings() { return settings().contains(QStringLiteral("map/tiles")); }

MapTiling mapWindow(GeoPoint a, GeoPoint b, QSize size) {
    const double usableWidth = size.width() * (1 - 2 * kMargin);
    const double usableHeight = size.height() * (1 - 2 * kMargin);
    int zoom = kMostZoom;
    for (; zoom > 0; --zoom) {
        const QPointF span = worldPixel(a, zoom) - worldPixel(b, zoom);
        if (std::abs(span.x()) <= usableWidth && std::abs(span.y()) <= usableHeight)
            break;
    }
    const QPointF middle = (worldPixel(a, zoom) + worldPixel(b, zoom)) / 2;
    return {zoom, std::max(0.0, std::floor(middle.x() - size.width() / 2.0)),
            std::max(0.0, std::floor(middle.y() - size.height() / 2.0)), 1};
}

MapFetcher::MapFetcher(MapSources sources, TileCache cache, int timeoutMs)
    : sources_(std::move(sources)), cache_(std::move(cache)), timeoutMs_(timeoutMs) {}

void MapFetcher::cancel() {
    cancelled_ = true;
    if (waiting_)
        waiting_->quit();
}

std::vector<MapFetcher::Answer> MapFetcher::getAll(const QList<QUrl>& urls, qint64 mostBytes) {
    std::vector<Answer> answers(size_t(urls.size()));
    const QString stopped = QStringLiteral("地図の取得を中止しました。");
    if (cancelled_) {
        for (Answer& answer : answers)
            answer.error = stopped;
        return answers;
    }
    std::vector<QNetworkReply*> replies;
    QEventLoop loop;
    qsizetype open = urls.size();
    bool failed = false;
    for (qsizetype i = 0; i < urls.size(); ++i) {
        QNetworkRequest request(urls[i]);
        request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("mivo"));
        QNetworkReply* reply = network_.get(request);
        replies.push_back(reply);
        auto* deadline = new QTimer(reply);
        deadline->setSingleShot(true);
        QObject::connect(deadline, &QTimer::timeout, reply, [reply] {
            reply->setProperty("timedOut", true);
            reply->abort();
        });
        deadline->start(timeoutMs_);
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                         [reply, mostBytes](qint64 received, qint64) {
                             if (received > mostBytes) {
                                 reply->setProperty("tooLarge", true);
                                 reply->abort();
                             }
                         });
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&, i, reply] {
            Answer& answer = answers[size_t(i)];
            answer.error = failureOf(reply);
            if (answer.error.isEmpty())
                answer.body = reply->readAll();
            failed = failed || !answer.error.isEmpty();
            if (--open == 0 || failed)
                loop.quit();
        });
    }
    if (open > 0) {
        // User input goes on, so that a window's button can cancel.
        waiting_ = &loop;
        loop.exec();
        waiting_ = nullptr;
    }
    for (QNetworkReply* reply : replies) {
        reply->disconnect();
        reply->abort();
        reply->deleteLater();
    }
    if (cancelled_) {
        for (Answer& answer : answers) {
            answer.body.clear();
            answer.error = stopped;
        }
    }
    return answers;
}

GeocodeResult MapFetcher::geocode(const QString& address) {
    QUrl url(sources_.geocoder);
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("q"), address);
    url.setQuery(query);
    const Answer answer = getAll({url}, kMostSearchBytes).front();
    if (!answer.error.isEmpty())
        return {std::nullopt, {}, answer.error};
    const QJsonDocument json = QJsonDocument::fromJson(answer.body);
    if (!json.isArray())
        return {std::nullopt,
                {},
                QStringLiteral("住所検索の答えが読めませんでした（%1）。").arg(url.host())};
    const QJsonArray found = json.array();
    if (found.isEmpty())
        return {std::nullopt,
                {},
                QStringLiteral("住所「%1」が見つかりませんでした。住所を確かめてください。")
                    .arg(address),
                true};
    const QJsonObject best = found.first().toObject();
    const QJsonArray at = best.value(QLatin1String("geometry"))
                              .toObject()
                              .value(QLatin1String("coordinates"))
                              .toArray();
    const double lon = at.at(0).toDouble(qQNaN()), lat = at.at(1).toDouble(qQNaN());
    if (!(std::abs(lat) <= 85) || !(std::abs(lon) <= 180))
        return {std::nullopt,
                {},
                QStringLiteral("住所検索の答えが読めませんでした（%1）。").arg(url.host())};
    return {
        GeoPoint{lat, lon},
        best.value(QLatin1String("properties")).toObject().value(QLatin1String("title")).toString(),
        {}};
}

FetchedMap MapFetcher::fetchMap(GeoPoint a, GeoPoint b, QSize size) {
    FetchedMap map;
    map.tiling = mapWindow(a, b, size);
    const MapTiling& t = map.tiling;
    const int x0 = int(t.left) / kTileSize, y0 = int(t.top) / kTileSize;
    const int x1 = int(t.left + size.width() - 1) / kTileSize;
    const int y1 = int(t.top + size.height() - 1) / kTileSize;
    struct Tile {
        int x, y;
        QString url;
        QByteArray bytes;
        bool cached;
    };
    std::vector<Tile> tiles;
    QList<QUrl> missing;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const QString url = tileUrl(sources_.tiles, t.zoom, x, y);
            const std::optional<QByteArray> kept = cache_.find(url);
            tiles.push_back({x, y, url, kept.value_or(QByteArray()), kept.has_value()});
            if (!kept)
                missing << QUrl(url);
        }
    }
    const std::vector<Answer> answers = getAll(missing, kMostTileBytes);
    for (size_t i = 0, fetched = 0; i < tiles.size(); ++i) {
        if (tiles[i].cached)
            continue;
        const Answer& answer = answers[fetched++];
        if (!answer.error.isEmpty()) {
            map.error = answer.error;
            return map;
        }
        tiles[i].bytes = answer.body;
    }

    map.picture = QImage(size, QImage::Format_RGB32);
    map.picture.fill(Qt::white);
    // 200 pixels to the inch, as the page takes it.
    map.picture.setDotsPerMeterX(7874);
    map.picture.setDotsPerMeterY(7874);
    QPainter painter(&map.picture);
    for (const Tile& tile : tiles) {
        const QString name = QStringLiteral("%1/%2/%3").arg(t.zoom).arg(tile.x).arg(tile.y);
        const PictureLoad load = loadPictureData(tile.bytes, name);
        if (!load.ok() || load.picture.size() != QSize(kTileSize, kTileSize)) {
            painter.end();
            map.picture = QImage();
            map.error = QStringLiteral("地図の画像（%1）が壊れています。時間をおいてやり直して"
                                       "ください。")
                            .arg(name);
            return map;
        }
        painter.drawImage(QPointF(tile.x * kTileSize - t.left, tile.y * kTileSize - t.top),
                          load.picture);
        if (tile.cached) {
            ++map.fromCache;
        } else {
            cache_.keep(tile.url, tile.bytes);
            ++map.fromNetwork;
        }
    }
    cache_.trim();
    return map;
}

} // namespace mivo
