#include "maps/tile_cache.h"

#include "document/file_output.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace mivo {

QString TileCache::defaultFolder() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/mivo/tiles");
}

TileCache::TileCache(QString folder, qint64 limit) : folder_(std::move(folder)), limit_(limit) {}

QString TileCache::pathOf(const QString& url) const {
    return folder_ + u'/' +
           QString::fromLatin1(
               QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha256).toHex());
}

std::optional<QByteArray> TileCache::find(const QString& url) const {
    QFile file(pathOf(url));
    // Opened for writing only to mark it used; a missing tile is not made.
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return std::nullopt;
    // A tile is far smaller than this; a larger file is no tile of ours.
    QByteArray bytes = file.read(4 * 1024 * 1024);
    if (bytes.isEmpty())
        return std::nullopt;
    file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    return bytes;
}

void TileCache::keep(const QString& url, const QByteArray& bytes) {
    if (!QDir().mkpath(folder_))
        return;
    QFile::setPermissions(folder_,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // A tile that cannot be kept is fetched again next time.
    writeWholeFile(QFile::encodeName(pathOf(url)), bytes);
}

// Oldest first out, by the time each tile was last used.
void TileCache::trim() {
    QFileInfoList tiles = QDir(folder_).entryInfoList(QDir::Files | QDir::NoDotAndDotDot,
                                                      QDir::Time | QDir::Reversed);
    qint64 total = 0;
    for (const QFileInfo& tile : tiles)
        total += tile.size();
    for (const QFileInfo& tile : tiles) {
        if (total <= limit_)
            break;
        if (QFile::remove(tile.filePath()))
            total -= tile.size();
    }
}

} // namespace mivo
