#pragma once

#include <QFont>
#include <QString>

namespace mivo {

// The layouts ask for the Japanese desktop faces by name; this is the one place that says
// which installed IPA face stands in for each. The IPA faces keep the fixed pitch the layouts
// count on: full-width characters one em, half-width characters half an em.
//   ＭＳ 明朝       -> IPAMincho   (fonts-ipafont-mincho)
//   ＭＳ　ゴシック  -> IPAGothic   (fonts-ipafont-gothic)

// The installed family for a face name; an unknown name is returned unchanged.
QString substituteFamily(const QString& faceName);

// Empty when the face's substitute is installed, else a message that says what to install.
QString missingTypefaceMessage(const QString& faceName);

// The font a page prints `faceName` in at `points`: sized in twips (20 per point, a whole
// number of units), without kerning or hinting, so that advances are the outline's at any
// device resolution. Drawing and measuring both take it from here.
QFont printFont(const QString& faceName, float points, bool bold);

} // namespace mivo
