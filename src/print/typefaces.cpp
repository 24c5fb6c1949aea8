#include "print/typefaces.h"

#include <QFontDatabase>
#include <QSet>

#include <array>

namespace mivo {
namespace {

struct Substitute {
    QStringView face;
    QLatin1StringView family;
    QLatin1StringView package;
};

constexpr std::array<Substitute, 2> kSubstitutes{{
    {u"ＭＳ 明朝", QLatin1StringView("IPAMincho"), QLatin1StringView("fonts-ipafont-mincho")},
    {u"ＭＳ　ゴシック", QLatin1StringView("IPAGothic"), QLatin1StringView("fonts-ipafont-gothic")},
}};

const Substitute* find(const QString& faceName) {
    for (const Substitute& s : kSubstitutes) {
        if (faceName == s.face)
            return &s;
    }
    return nullptr;
}

} // namespace

QString substituteFamily(const QString& faceName) {
    const Substitute* s = find(faceName);
    return s ? QString(s->family) : faceName;
}

QString missingTypefaceMessage(const QString& faceName) {
    const Substitute* s = find(faceName);
    const QString family = s ? QString(s->family) : faceName;
    // Every page asks several times; a face once found stays installed for the process, while
    // a missing one is asked again, as it may have been installed since.
    thread_local QSet<QString> found;
    if (found.contains(family))
        return {};
    if (QFontDatabase::hasFamily(family)) {
        found.insert(family);
        return {};
    }
    if (s) {
        return QStringLiteral("書体 %1 がありません。%2 をインストールしてください。")
            .arg(family, QString(s->package));
    }
    return QStringLiteral("書体 %1 がありません。").arg(family);
}

QFont printFont(const QString& faceName, float points, bool bold) {
    QFont font(substituteFamily(faceName));
    font.setPixelSize(qRound(points * 20.0));
    font.setBold(bold);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No QFont::NoFontMerging: with it Qt no longer synthesises bold for these faces, which
    // have no bold style of their own, and every bold text would print regular.
    return font;
}

} // namespace mivo
