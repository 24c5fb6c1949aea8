#pragma once

// What the layout-drawing benchmarks share: a map read as the picture form reads it, and the
// peak memory of the whole process.

#include "document/picture_file.h"

#include <QImage>
#include <QString>

#include <sys/resource.h>

namespace bench {

inline QImage openMap(const QString& path) {
    const mivo::PictureLoad load = mivo::loadPictureFile(path);
    if (!load.ok())
        qFatal("%s", qPrintable(load.error));
    return load.picture;
}

inline double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // ru_maxrss is in kilobytes
}

} // namespace bench
