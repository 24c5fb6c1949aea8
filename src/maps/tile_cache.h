#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mivo {

// Map tiles kept on disk between runs, by their address: at most `limit` bytes, the tiles
// used longest ago going first when a new one would pass it.
class TileCache {
  public:
    // The user's cache folder (XDG_CACHE_HOME, else ~/.cache) /mivo/tiles.
    static QString defaultFolder();
    static constexpr qint64 kDefaultLimit = 200LL * 1024 * 1024;

    explicit TileCache(QString folder = defaultFolder(), qint64 limit = kDefaultLimit);

    // The tile's bytes, or none; a tile read counts as used now.
    std::optional<QByteArray> find(const QString& url) const;
    // Keeps the tile; a cache that cannot be written is no fault, the tile is fetched again.
    void keep(const QString& url, const QByteArray& bytes);
    // Brings the cache within its limit, oldest first out; after a batch of keep().
    void trim();

  private:
    QString pathOf(const QString& url) const;

    QString folder_;
    qint64 limit_;
};

} // namespace mivo
