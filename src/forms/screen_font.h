#pragma once

#include <QFont>

namespace mivo {

// The windows' face "ＭＳ Ｐゴシック" at the given size. fontconfig knows no such name; the
// proportional IPAPGothic (fonts-ipafont-gothic) stands in for it.
QFont screenFont(qreal points, bool bold = false);

} // namespace mivo
