#include "forms/blank_map.h"

#include "document/file_output.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

namespace mivo {
namespace {

// White, 294 × 265 pixels at 96 pixels to the inch (about 78 × 70 mm, which fits either area
// of the printed page), with a single black pixel in its top-left and in its bottom-right
// corner.
QImage blankMapPicture() {
    QImage picture(294, 265, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(293, 264, qRgb(0, 0, 0));
    picture.setDotsPerMeterX(3780); // 96 pixels to the inch
    picture.setDotsPerMeterY(3780);
    return picture;
}

} // namespace

BlankMapFile createBlankMapFile(const QString& folder) {
    const QString failed =
        QStringLiteral(
            "白紙の地図を %1 に保存できませんでした。フォルダに書き込めるか確かめてください。")
            .arg(QDir::toNativeSeparators(folder));
    const QDir dir(folder);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    if (!dir.mkpath(QStringLiteral(".")) || !buffer.open(QIODevice::WriteOnly) ||
        !blankMapPicture().save(&buffer, "BMP"))
        return {{}, failed};
    for (int n = 1; n <= 999; ++n) {
        const QString name = n == 1 ? QStringLiteral("新しい地図.bmp")
                                    : QStringLiteral("新しい地図 (%1).bmp").arg(n);
        const QString path = dir.filePath(name);
        const FileWrite written = writeWholeFile(QFile::encodeName(path), bmp, IfExists::Keep);
        if (written.status == FileWrite::Status::Exists)
            continue;
        if (!written.ok())
            return {{}, written.error};
        return {path, {}};
    }
    return {{}, failed};
}

} // namespace mivo
