#include "render/argument_text.h"

namespace mivo {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isEscapedByte(QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; }

// The length of the UTF-8 sequence that `lead` starts, or 0 for a byte that starts none.
int sequenceLength(uchar lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

QString argumentText(QByteArrayView bytes) {
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = sequenceLength(uchar(bytes[i]));
        const QByteArrayView sequence =
            bytes.sliced(i, std::min<qsizetype>(length, bytes.size() - i));
        if (length > 0 && sequence.size() == length && sequence.isValidUtf8()) {
            text += QString::fromUtf8(sequence);
            i += length;
        } else {
            text += QChar(char16_t(kEscapeBase + uchar(bytes[i])));
            ++i;
        }
    }
    return text;
}

} // namespace

QStringList argumentTexts(int argc, const char* const* argv) {
    QStringList texts;
    for (int i = 0; i < argc; ++i)
        texts << argumentText(QByteArrayView(argv[i]));
    return texts;
}

QByteArray argumentBytes(QStringView text) {
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isEscapedByte(text[i]))
            continue;
        bytes += text.sliced(runStart, i - runStart).toUtf8();
        if (i < text.size())
            bytes += char(text[i].unicode() - kEscapeBase);
        runStart = i + 1;
    }
    return bytes;
}

QString argumentValue(QStringView text) { return QString::fromUtf8(argumentBytes(text)); }

} // namespace mivo
