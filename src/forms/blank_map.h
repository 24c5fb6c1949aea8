#pragma once

#include <QImage>
#include <QString>

namespace mivo {

// The blank map that 地図を新規作成 hands to a paint program: white, 294 × 265 pixels at 96
// pixels to the inch (about 78 × 70 mm, which fits either area of the printed page), with a
// single black pixel in its top-left and in its bottom-right corner.
QImage blankMapPicture();

struct BlankMapFile {
    QString path;  // the new file, when it was written
    QString error; // else why not, in words for the user
};

// Saves the blank map as a new 24-bit BMP file in `folder` (made when missing), under a name
// no file there has yet; an existing file is never overwritten.
BlankMapFile createBlankMapFile(const QString& folder);

} // namespace mivo
