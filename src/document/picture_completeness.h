#pragma once

#include <QByteArrayView>

namespace mivo {

// Whether a BMP, GIF or JPEG file holds all the data of its (first) picture. The decoders
// accept a file cut off in the middle and fill the missing part with grey or black; such a
// file is refused instead of printing a half map. Other formats are left to their decoders.
bool holdsWholePicture(QByteArrayView data, QByteArrayView format);

} // namespace mivo
