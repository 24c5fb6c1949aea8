#include "document/picture_completeness.h"

#include <cstdint>
#include <cstdlib>

namespace mivo {
namespace {

class Bytes {
  public:
    explicit Bytes(QByteArrayView data) : d_(data) {}
    qint64 size() const { return d_.size(); }
    unsigned at(qint64 i) const { return static_cast<std::uint8_t>(d_[i]); }
    unsigned le16(qint64 i) const { return at(i) | at(i + 1) << 8; }
    unsigned be16(qint64 i) const { return at(i) << 8 | at(i + 1); }
    std::int32_t le32(qint64 i) const {
        return static_cast<std::int32_t>(le16(i) | std::uint32_t(le16(i + 2)) << 16);
    }
    // The next 0xFF at or after i, or size().
    qint64 nextFF(qint64 i) const {
        if (i >= size())
            return size();
        const qint64 found = d_.sliced(i).indexOf('\xff');
        return found < 0 ? size() : i + found;
    }

  private:
    QByteArrayView d_;
};

// Walks the markers from start of image to end of image (EOI), skipping the entropy-coded
// data after each start of scan. A file cut off anywhere never reaches EOI. Stray bytes
// between segments are skipped, as the decoder does.
bool jpegComplete(const Bytes& d) {
    if (d.size() < 4 || d.at(0) != 0xFF || d.at(1) != 0xD8)
        return false;
    qint64 i = 2;
    for (;;) {
        i = d.nextFF(i);
        while (i < d.size() && d.at(i) == 0xFF) // fill bytes
            ++i;
        if (i >= d.size())
            return false;
        const unsigned marker = d.at(i++);
        if (marker == 0xD9)
            return true;
        const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
        if (standalone)
            continue;
        if (i + 2 > d.size() || d.be16(i) < 2)
            return false;
        i += d.be16(i);
        if (marker != 0xDA)
            continue;
        // Entropy-coded data ends at the first marker that is neither a stuffed 0xFF00 nor
        // a restart marker.
        for (;;) {
            i = d.nextFF(i);
            if (i + 1 >= d.size())
                return false;
            const unsigned next = d.at(i + 1);
            if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
                break;
            i += 2;
        }
    }
}

// Skips a run of GIF data sub-blocks; false when the file ends before its terminator.
bool skipSubBlocks(const Bytes& d, qint64& i) {
    for (;;) {
        if (i >= d.size())
            return false;
        const unsigned length = d.at(i++);
        if (length == 0)
            return true;
        i += length;
    }
}

// The first image's data must end with its block terminator inside the file.
bool gifComplete(const Bytes& d) {
    if (d.size() < 13)
        return false;
    const auto colourTable = [](unsigned flags) {
        return flags & 0x80 ? 3 * (2 << (flags & 7)) : 0;
    };
    qint64 i = 13 + colourTable(d.at(10));
    for (;;) {
        if (i >= d.size())
            return false;
        switch (d.at(i++)) {
        case 0x21: // extension: label, then sub-blocks
            ++i;
            if (!skipSubBlocks(d, i))
                return false;
            break;
        case 0x2C: // image descriptor, local colour table, code size, then sub-blocks
            if (i + 9 > d.size())
                return false;
            i += 9 + colourTable(d.at(i + 8)) + 1;
            return skipSubBlocks(d, i);
        case 0x3B: // trailer without an image: the decoder reports it
            return true;
        default:
            return false;
        }
    }
}

// The pixel data that the headers promise must lie inside the file. The last row may lack
// its padding.
bool bmpComplete(const Bytes& d) {
    if (d.size() < 26)
        return false;
    const qint64 offset = static_cast<std::uint32_t>(d.le32(10));
    const qint64 headerSize = static_cast<std::uint32_t>(d.le32(14));
    qint64 width, height, bitsPerPixel, compression = 0, imageSize = 0;
    if (headerSize == 12) {
        width = d.le16(18);
        height = d.le16(20);
        bitsPerPixel = d.le16(24);
    } else if (headerSize >= 40 && d.size() >= 54) {
        width = d.le32(18);
        height = std::abs(static_cast<qint64>(d.le32(22)));
        bitsPerPixel = d.le16(28);
        compression = static_cast<std::uint32_t>(d.le32(30));
        imageSize = static_cast<std::uint32_t>(d.le32(34));
    } else {
        return false;
    }
    constexpr qint64 kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    const bool uncompressed =
        compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
    if (!uncompressed)
        return d.size() >= offset + qMax<qint64>(imageSize, 1);
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0)
        return true; // nothing to check: the decoder refuses or reads nothing
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 lastRow = (width * bitsPerPixel + 7) / 8;
    return d.size() >= offset + rowBytes * (height - 1) + lastRow;
}

} // namespace

bool holdsWholePicture(QByteArrayView data, QByteArrayView format) {
    const Bytes bytes(data);
    if (format == "jpeg" || format == "jpg")
        return jpegComplete(bytes);
    if (format == "gif")
        return gifComplete(bytes);
    if (format == "bmp")
        return bmpComplete(bytes);
    return true;
}

} // namespace mivo
