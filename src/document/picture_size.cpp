#include "document/picture_size.h"

#include <algorithm>

namespace mivo {
namespace {

constexpr double kMillimetresPerInch = 25.4;

QSizeF naturalSizeMm(const QImage& picture) {
    return naturalSizeInInches(picture) * kMillimetresPerInch;
}

} // namespace

QSizeF naturalSizeInInches(const QImage& picture) {
    const auto perInch = [](int dotsPerMetre) {
        return dotsPerMetre > 0 ? dotsPerMetre * 0.0254 : 96.0;
    };
    return {picture.width() / perInch(picture.dotsPerMeterX()),
            picture.height() / perInch(picture.dotsPerMeterY())};
}

bool exceedsMapArea(const QImage& picture) {
    const QSizeF size = naturalSizeMm(picture);
    return size.width() > kMapAreaMm.width() || size.height() > kMapAreaMm.height();
}

QSizeF fittedMapSizeMm(const QImage& picture) {
    const QSizeF size = naturalSizeMm(picture);
    if (size.isEmpty())
        return size;
    const double scale =
        std::min({1.0, kMapAreaMm.width() / size.width(), kMapAreaMm.height() / size.height()});
    return size * scale;
}

} // namespace mivo
