#include "document/picture_completeness.h"

#include <QIODevice>
#include <QtNumeric>

#include <cstdint>
#include <cstring>

namespace mivo {
namespace {

// The file read forward through a window of a few kilobytes: a map's completeness costs
// no more memory than that, whatever its size.
class Bytes {
  public:
    explicit Bytes(QIODevice& file) : file_(file), size_(file.size()) {}
    qint64 size() const { return size_; }
    // A byte the file should have but could not give (it shrank meanwhile) reads as 0 and
    // marks the check as truncated.
    unsigned at(qint64 i) {
        if (!load(i)) {
            shortRead_ = true;
            return 0;
        }
        return static_cast<std::uint8_t>(window_[i - start_]);
    }
    unsigned le16(qint64 i) { return at(i) | at(i + 1) << 8; }
    unsigned be16(qint64 i) { return at(i) << 8 | at(i + 1); }
    std::uint32_t le32(qint64 i) { return le16(i) | std::uint32_t(le16(i + 2)) << 16; }
    std::uint32_t be32(qint64 i) { return std::uint32_t(be16(i)) << 16 | be16(i + 2); }
    // The next 0xFF at or after i, or size().
    qint64 nextFF(qint64 i) {
        while (i < size_ && load(i)) {
            const qint64 from = i - start_;
            const void* found =
                std::memchr(window_.constData() + from, 0xFF, size_t(window_.size() - from));
            if (found)
                return start_ + (static_cast<const char*>(found) - window_.constData());
            i = start_ + window_.size();
        }
        return size_;
    }
    bool shortRead() const { return shortRead_; }

  private:
    bool load(qint64 i) {
        if (i >= start_ && i < start_ + window_.size())
            return true;
        if (i < 0 || i >= size_ || !file_.seek(i))
            return false;
        window_ = file_.read(kWindow);
        start_ = i;
        return !window_.isEmpty();
    }

    static constexpr qint64 kWindow = 64 * 1024;
    QIODevice& file_;
    qint64 size_;
    QByteArray window_;
    qint64 start_ = 0;
    bool shortRead_ = false;
};

PictureData wholeIf(bool complete) {
    return complete ? PictureData::Whole : PictureData::Truncated;
}

// Walks the markers from start of image to end of image (EOI), skipping the entropy-coded
// data after each start of scan. A file cut off anywhere never reaches EOI. Stray bytes
// between segments are skipped, as the decoder does.
PictureData jpegData(Bytes& d) {
    if (d.size() < 4 || d.at(0) != 0xFF || d.at(1) != 0xD8)
        return PictureData::Truncated;
    qint64 i = 2;
    for (;;) {
        i = d.nextFF(i);
        while (i < d.size() && d.at(i) == 0xFF) // fill bytes
            ++i;
        if (i >= d.size())
            return PictureData::Truncated;
        const unsigned marker = d.at(i++);
        if (marker == 0xD9)
            return PictureData::Whole;
        const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
        if (standalone)
            continue;
        if (i + 2 > d.size())
            return PictureData::Truncated;
        if (d.be16(i) < 2)
            return PictureData::Damaged;
        i += d.be16(i);
        if (marker != 0xDA)
            continue;
        // Entropy-coded data ends at the first marker that is neither a stuffed 0xFF00 nor
        // a restart marker.
        for (;;) {
            i = d.nextFF(i);
            if (i + 1 >= d.size())
                return PictureData::Truncated;
            const unsigned next = d.at(i + 1);
            if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
                break;
            i += 2;
        }
    }
}

// Skips a run of GIF data sub-blocks; false when the file ends before its terminator.
bool skipSubBlocks(Bytes& d, qint64& i) {
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
PictureData gifData(Bytes& d) {
    if (d.size() < 13)
        return PictureData::Truncated;
    const auto colourTable = [](unsigned flags) {
        return flags & 0x80 ? 3 * (2 << (flags & 7)) : 0;
    };
    qint64 i = 13 + colourTable(d.at(10));
    for (;;) {
        if (i >= d.size())
            return PictureData::Truncated;
        switch (d.at(i++)) {
        case 0x21: // extension: label, then sub-blocks
            ++i;
            if (!skipSubBlocks(d, i))
                return PictureData::Truncated;
            break;
        case 0x2C: // image descriptor, local colour table, code size, then sub-blocks
            if (i + 9 > d.size())
                return PictureData::Truncated;
            i += 9 + colourTable(d.at(i + 8)) + 1;
            return wholeIf(skipSubBlocks(d, i));
        case 0x3B: // trailer without an image: the decoder reports it
            return PictureData::Whole;
        default:
            return PictureData::Truncated;
        }
    }
}

// The pixel data that the headers promise must lie inside the file. The last row may lack
// its padding. Headers come from the file, so every sum and product is checked: a header
// whose sizes overflow 64 bits describes no file that can exist.
PictureData bmpData(Bytes& d) {
    if (d.size() < 26)
        return PictureData::Truncated;
    const qint64 offset = d.le32(10);
    const qint64 headerSize = d.le32(14);
    qint64 width, height, bitsPerPixel, compression = 0, imageSize = 0;
    if (headerSize == 12) {
        width = d.le16(18);
        height = d.le16(20);
        bitsPerPixel = d.le16(24);
    } else if (headerSize >= 40 && d.size() >= 54) {
        width = static_cast<std::int32_t>(d.le32(18));
        height = qAbs(static_cast<qint64>(static_cast<std::int32_t>(d.le32(22))));
        bitsPerPixel = d.le16(28);
        compression = d.le32(30);
        imageSize = d.le32(34);
    } else {
        return PictureData::Truncated;
    }
    constexpr qint64 kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    const bool uncompressed =
        compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
    qint64 end = 0;
    if (!uncompressed) {
        if (qAddOverflow(offset, qMax<qint64>(imageSize, 1), &end))
            return PictureData::Damaged;
        return wholeIf(d.size() >= end);
    }
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0)
        return PictureData::Whole; // nothing to check: the decoder refuses or reads nothing
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32)
        return PictureData::Damaged;
    qint64 bits = 0, rows = 0;
    if (qMulOverflow(width, bitsPerPixel, &bits))
        return PictureData::Damaged;
    const qint64 rowBytes = (bits + 31) / 32 * 4; // bits < 2^37 here: no overflow
    const qint64 lastRow = (bits + 7) / 8;
    if (qMulOverflow(rowBytes, height - 1, &rows) || qAddOverflow(offset, rows, &end) ||
        qAddOverflow(end, lastRow, &end))
        return PictureData::Damaged;
    return wholeIf(d.size() >= end);
}

// Chunk by chunk up to the end chunk (IEND), each with its length, type, data and checksum.
PictureData pngData(Bytes& d) {
    qint64 i = 8; // the signature
    for (;;) {
        if (i + 8 > d.size())
            return PictureData::Truncated;
        const qint64 length = d.be32(i);
        if (length > 0x7fffffff) // the format's own bound
            return PictureData::Damaged;
        const bool end = d.be32(i + 4) == 0x49454E44; // "IEND"
        if (qAddOverflow(i, 8 + length + 4, &i))
            return PictureData::Damaged;
        if (i > d.size())
            return PictureData::Truncated;
        if (end)
            return PictureData::Whole;
    }
}

} // namespace

PictureData checkPictureData(QIODevice& file, QByteArrayView format) {
    Bytes bytes(file);
    PictureData data = PictureData::Whole;
    if (format == "jpeg" || format == "jpg")
        data = jpegData(bytes);
    else if (format == "gif")
        data = gifData(bytes);
    else if (format == "bmp")
        data = bmpData(bytes);
    else if (format == "png")
        data = pngData(bytes);
    return bytes.shortRead() && data == PictureData::Whole ? PictureData::Truncated : data;
}

} // namespace mivo
