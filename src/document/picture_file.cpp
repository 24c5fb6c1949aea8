#include "document/picture_file.h"

#include "document/picture_completeness.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace mivo {
namespace {

constexpr int kDotsPerMetreAt96Dpi = 3780;

PictureLoad refused(const QString& name, const QString& reason) { return {{}, reason.arg(name)}; }

const QString kUnreadable = QStringLiteral(
    "「%1」を読み込めませんでした。ファイルがあるか、読み取れるかを確かめてください。");
const QString kEmpty =
    QStringLiteral("「%1」は空のファイルです。地図を保存し直してから開いてください。");
const QString kTooLarge =
    QStringLiteral("「%1」は画像が大きすぎて開けません。縮小して保存し直してから開いてください。");
const QString kNotPicture =
    QStringLiteral("「%1」は画像として読み取れません。bmp、gif、jpg形式の画像を選んでください。");
const QString kTruncated =
    QStringLiteral("「%1」は途中で切れています。地図を保存し直してから開いてください。");
const QString kDamaged =
    QStringLiteral("「%1」は画像のデータが壊れています。地図を保存し直してから開いてください。");

// A file that states no resolution leaves the reader's default, which follows the screen;
// such a picture is taken at 96 pixels to the inch, whatever the screen.
void settleResolution(QImage& picture) {
    const int readerDefault = QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX();
    if (picture.dotsPerMeterX() == readerDefault && picture.dotsPerMeterY() == readerDefault) {
        picture.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
        picture.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    }
}

} // namespace

PictureLoad loadPictureFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(name, kUnreadable);
    // No picture format the form offers holds more file than decoded picture.
    if (file.size() > kPictureByteLimit)
        return refused(name, kTooLarge);
    const QByteArray data = file.readAll();
    if (data.size() != file.size())
        return refused(name, kUnreadable);
    return loadPictureData(data, name);
}

PictureLoad loadPictureData(const QByteArray& data, const QString& name) {
    if (data.isEmpty())
        return refused(name, kEmpty);
    if (data.size() > kPictureByteLimit)
        return refused(name, kTooLarge);

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImageReader::setAllocationLimit(int(kPictureByteLimit / (1024 * 1024)));

    const QByteArray format = reader.format();
    if (format.isEmpty())
        return refused(name, kNotPicture);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > kPictureByteLimit)
        return refused(name, kTooLarge);
    if (!holdsWholePicture(data, format))
        return refused(name, kTruncated);

    QImage picture = reader.read();
    if (picture.isNull())
        return refused(name, kDamaged);
    settleResolution(picture);
    return {picture, {}};
}

} // namespace mivo
