#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mivo {

// Command-line arguments as text that gives back their exact bytes. A file name need not be
// UTF-8: each byte that is not part of valid UTF-8 is kept as one lone surrogate
// (U+DC80 to U+DCFF), which valid UTF-8 never decodes to, so the name can be handed to the
// file system exactly as it was typed.
QStringList argumentTexts(int argc, const char* const* argv);

// The bytes of an argument read by argumentTexts(), or of a part of one.
QByteArray argumentBytes(QStringView text);

// The argument as ordinary text, for values that are not file names: the kept bytes become
// U+FFFD as in any other decoding.
QString argumentValue(QStringView text);

} // namespace mivo
