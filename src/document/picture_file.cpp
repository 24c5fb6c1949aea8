#include "document/picture_file.h"

#include "document/decoder_damage.h"
#include "document/picture_completeness.h"
#include "document/regular_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QtNumeric>

namespace mivo {
namespace {

constexpr int kDotsPerMetreAt96Dpi = 3780;

PictureLoad refused(const QString& name, const QString& reason) { return {{}, reason.arg(name)}; }

const QString kEmpty =
    QStringLiteral("「%1」は空のファイルです。地図を保存し直してから開いてください。");
const QString kTooLarge =
    QStringLiteral("「%1」は画像が大きすぎて開けません。縮小して保存し直してから開いてください。");
const QString kNotPicture = QStringLiteral(
    "「%1」は画像として読み取れません。bmp、gif、jpg、png形式の画像を選んでください。");
const QString kTruncated =
    QStringLiteral("「%1」は途中で切れています。地図を保存し直してから開いてください。");
const QString kDamaged =
    QStringLiteral("「%1」は画像のデータが壊れています。地図を保存し直してから開いてください。");

// The kinds the form offers and a screenshot's PNG. Judged from the content before any
// decoder runs: other plug-ins (a compressed SVG, a TIFF) can take gigabytes and minutes.
bool accepted(const QByteArray& format) {
    return format == "bmp" || format == "gif" || format == "jpeg" || format == "png";
}

bool tooLarge(QSize size) {
    qint64 pixels = 0, bytes = 0;
    return size.isValid() && (qMulOverflow<qint64>(size.width(), size.height(), &pixels) ||
                              qMulOverflow<qint64>(pixels, 4, &bytes) || bytes > kPictureByteLimit);
}

// A file that states no resolution leaves the reader's default, which follows the screen;
// such a picture is taken at 96 pixels to the inch, whatever the screen.
void settleResolution(QImage& picture) {
    const int readerDefault = QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX();
    if (picture.dotsPerMeterX() == readerDefault && picture.dotsPerMeterY() == readerDefault) {
        picture.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
        picture.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    }
}

// The checks and the decode, on a file or on bytes held elsewhere; `name` stands for the
// picture in messages.
PictureLoad decodePicture(QIODevice& device, const QString& name) {
    if (device.size() == 0)
        return refused(name, kEmpty);
    // No picture format we read holds more file than decoded picture.
    if (device.size() > kPictureByteLimit)
        return refused(name, kTooLarge);

    // From the first look at the content to the end of the decode, so that a header the
    // decoder finds damaged counts too.
    const DecoderDamage damage;
    const QByteArray format = QImageReader::imageFormat(&device);
    if (!accepted(format))
        return refused(name, kNotPicture);
    QImageReader::setAllocationLimit(int(kPictureByteLimit / (1024 * 1024)));
    {
        // This reader reads the header only; the decode below starts afresh, as the check
        // of the data moves the file.
        QImageReader header(&device, format);
        header.setAutoDetectImageFormat(false);
        if (tooLarge(header.size()))
            return refused(name, kTooLarge);
    }
    switch (checkPictureData(device, format)) {
    case PictureData::Whole:
        break;
    case PictureData::Truncated:
        return refused(name, kTruncated);
    case PictureData::Damaged:
        return refused(name, kDamaged);
    }

    if (!device.seek(0))
        return refused(name, kDamaged);
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false); // the accepted decoder, even if the file changed
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull() || damage.reported())
        return refused(name, kDamaged);
    settleResolution(picture);
    return {picture, {}};
}

} // namespace

PictureLoad loadPictureFile(const QByteArray& path) {
    QFile file;
    if (const QString error = openRegularFile(file, path); !error.isEmpty())
        return {{}, error};
    return decodePicture(file, QFileInfo(QFile::decodeName(path)).fileName());
}

PictureLoad loadPictureData(const QByteArray& data, const QString& name) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return decodePicture(buffer, name);
}

} // namespace mivo
