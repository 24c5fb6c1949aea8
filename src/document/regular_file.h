#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace mivo {

// File names here are the file system's own bytes (QFile::encodeName of a name picked in a
// dialog, or a command-line argument as given): a name that is not UTF-8 still opens.

// Opens `file` for reading on the file at `path` when it is a regular file. A FIFO, a device
// or a folder is refused at once, without waiting for a writer or reading for ever. Returns
// the reason in words for the user, naming the file, or an empty string.
QString openRegularFile(QFile& file, const QByteArray& path);

struct FileContents {
    QByteArray data;
    QString error; // empty when `data` is the whole file

    bool ok() const { return error.isEmpty(); }
};

// The most a file of field values may hold; far more than every field of a document.
inline constexpr qint64 kValuesFileLimit = 1024 * 1024;

// The whole of a regular file of at most `limit` bytes; a larger one is refused with a
// message that gives the limit.
FileContents readRegularFile(const QByteArray& path, qint64 limit);

} // namespace mivo
