#pragma once

#include <QString>

namespace mivo {

struct BlankMapFile {
    QString path;  // the new file, when it was written
    QString error; // else why not, in words for the user
};

// Saves the blank map that 地図を新規作成 hands to a paint program as a new 24-bit BMP file in
// `folder` (made when missing), under a name no file there has yet; an existing file is never
// overwritten.
BlankMapFile createBlankMapFile(const QString& folder);

} // namespace mivo
