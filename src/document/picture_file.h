#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

namespace mivo {

// A map picture read from a file, or the reason it could not be, in words for the user.
struct PictureLoad {
    QImage picture; // null when `error` says why
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// The most a decoded picture may take in memory (four bytes a pixel): a file that claims
// larger dimensions is refused before anything is allocated.
inline constexpr qint64 kPictureByteLimit = 256LL * 1024 * 1024;

// Reads a BMP, GIF, JPEG or PNG file, known by its content whatever its name says; every
// other kind (SVG, TIFF, WebP...) is refused before any decoder sees it. Only a regular file
// is opened. Empty, unreadable, truncated, damaged, undecodable and oversized files give an
// error that names the file. The file is decoded straight from the disk, so a map costs its
// decoded size only. The picture's natural size is its file's resolution where the file
// states one, else 96 pixels to the inch. `path` is the file system's own bytes.
PictureLoad loadPictureFile(const QByteArray& path);
inline PictureLoad loadPictureFile(const QString& path) {
    return loadPictureFile(QFile::encodeName(path));
}
// The same for a picture file's bytes held elsewhere; `name` stands for the file in messages.
PictureLoad loadPictureData(const QByteArray& data, const QString& name);

} // namespace mivo
