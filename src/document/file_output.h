#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace mivo {

// Every file the program writes goes through here: it reaches the disk whole or not at all.
// Paths are the file system's own bytes (see regular_file.h).

enum class IfExists {
    Replace, // an existing regular file is replaced in one step (a new PDF, PNG)
    Keep,    // an existing file is left alone and reported (a new blank map under a free name)
};

struct FileWrite {
    enum class Status { Written, Exists, Failed };
    Status status = Status::Failed;
    QString error; // for Failed: what went wrong and what to do, naming the file

    bool ok() const { return status == Status::Written; }
};

// Writes `data` to a new file beside `path`, syncs it to the disk and only then moves it to
// `path`. A full disk, a size limit or any other error leaves the old file as it was and no
// new file behind. Something at `path` that is not a regular file (a FIFO, a device, a
// folder) is refused. A symbolic link is followed as the kernel would follow it (not another
// user's link in a sticky, world-writable folder): the file it points to is replaced and keeps
// its mode.
FileWrite writeWholeFile(const QByteArray& path, QByteArrayView data,
                         IfExists ifExists = IfExists::Replace);

// Writes all of `data` to the open descriptor `fd` (standard output for a trace), retrying
// short writes. Returns what went wrong, naming `where`, or an empty string.
QString writeAll(int fd, QByteArrayView data, const QString& where);

} // namespace mivo
