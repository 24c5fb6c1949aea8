#include "forms/blank_map.h"

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
    if (!dir.mkpath(QStringLiteral(".")))
        return {{}, failed};
    for (int n = 1; n <= 999; ++n) {
        const QString name = n == 1 ? QStringLiteral("新しい地図.bmp")
                                    : QStringLiteral("新しい地図 (%1).bmp").arg(n);
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists())
                continue;
            return {{}, failed};
        }
        if (!blankMapPicture().save(&file, "BMP") || !file.flush()) {
            file.remove();
            return {{}, failed};
        }
        return {file.fileName(), {}};
    }
    return {{}, failed};
}

} // namespace mivo
