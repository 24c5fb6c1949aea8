#pragma once

#include <QByteArrayView>

class QIODevice;

namespace mivo {

enum class PictureData {
    Whole,     // all the data of the (first) picture is there
    Truncated, // the file ends before its picture does
    Damaged,   // the headers contradict themselves or claim sizes no file can hold
};

// Checks a BMP, GIF, JPEG or PNG file from its headers and block structure, reading `file`
// from its start in small pieces. The decoders accept a file cut off in the middle and fill
// the missing part with grey or black; such a file is refused instead of printing a half map.
// Other formats are left to their decoders. Leaves `file` at an unspecified position.
PictureData checkPictureData(QIODevice& file, QByteArrayView format);

} // namespace mivo
