#pragma once

// Picture files made by the tests themselves: good ones in each format the form offers, and
// the kinds of broken file a user may come across.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdint>

namespace testpictures {

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline QByteArray encode(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// A picture in one colour with a differently coloured top-left pixel, so that a test sees
// where it begins.
inline QImage plain(int width, int height, QColor colour = Qt::red) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    picture.setPixel(0, 0, qRgb(0, 0, 255));
    return picture;
}

// Qt writes no GIF, so the tests make their own: a two-colour picture (red, with white in the
// left half of each row), LZW codes nine bits wide throughout, the table reset often enough
// that the width never grows.
inline QByteArray gif(int width, int height) {
    QByteArray out("GIF89a");
    const auto word = [&out](int v) {
        out.append(char(v & 0xFF));
        out.append(char(v >> 8 & 0xFF));
    };
    word(width);
    word(height);
    out.append("\x80\x00\x00", 3);             // global table of two colours
    out.append("\xff\x00\x00\xff\xff\xff", 6); // 0 red, 1 white
    out.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    out.append('\0');
    out.append('\x08'); // code size 8: clear 256, end 257, nine-bit codes

    QByteArray codes;
    std::uint32_t bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= std::uint32_t(code) << count;
        count += 9;
        while (count >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    int sinceClear = 0;
    put(256);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (++sinceClear == 250) {
                put(256);
                sinceClear = 0;
            }
            put(x < width / 2 ? 1 : 0);
        }
    }
    put(257);
    if (count > 0)
        codes.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append('\0');
    out.append(';');
    return out;
}

// A GIF whose header claims 65535 × 65535 pixels (16 GB decoded), with hardly any data.
inline QByteArray hugeGif() {
    static const char bytes[] = "GIF89a\xff\xff\xff\xff\x80\x00\x00"
                                "\x00\x00\x00\xff\xff\xff"
                                ",\x00\x00\x00\x00\xff\xff\xff\xff\x00"
                                "\x02\x02\x44\x01\x00;";
    return QByteArray(bytes, sizeof bytes - 1);
}

// `bytes` as a gzip file (stored, not compressed): enough for a reader that unpacks by content.
inline QByteArray gzip(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (char c : bytes) {
        crc ^= std::uint8_t(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    crc = ~crc;
    QByteArray out("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03\x01", 11);
    const auto le = [&out](std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i)
            out.append(char(v >> 8 * i & 0xFF));
    };
    const auto length = std::uint32_t(bytes.size()); // one stored block: under 64 KB
    le(length, 2);
    le(~length, 2);
    out += bytes;
    le(crc, 4);
    le(length, 4);
    return out;
}

// Bytes that are no picture at all.
inline QByteArray noise(int size) {
    QByteArray bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245 + 12345;
        c = char(state >> 16);
    }
    return bytes;
}

} // namespace testpictures
