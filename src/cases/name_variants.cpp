#include "cases/name_variants.h"

#include <QHash>

namespace mivo {
namespace {

// Each string: the common form first, then the forms written for it in names.
constexpr const char16_t* kVariants[] = {
    u"高髙",   u"崎﨑嵜碕㟢", u"辺邊邉", u"斎齋齊斉", u"徳德",   u"浜濱濵", u"桜櫻",   u"沢澤",
    u"国國圀", u"広廣",       u"竜龍",   u"万萬",     u"富冨",   u"島嶋嶌", u"瀬瀨",   u"恵惠",
    u"栄榮",   u"寿壽",       u"礼禮",   u"蔵藏",     u"実實",   u"与與",   u"浅淺",   u"関關",
    u"条條",   u"真眞",       u"晋晉",   u"滝瀧",     u"槙槇",   u"野埜",   u"館舘",   u"黒黑",
    u"曽曾",   u"増增",       u"円圓",   u"会會",     u"学學",   u"宝寳寶", u"弥彌",   u"亀龜",
    u"県縣",   u"柳栁",       u"峰峯",   u"稲稻",     u"薮藪籔", u"桧檜",   u"渕淵渊", u"恒恆",
    u"来來",   u"鉄鐵",       u"豊豐",   u"吉𠮷",     u"沖冲",   u"薗園",   u"嶺岺",
};

QHash<char32_t, char32_t> buildTable() {
    QHash<char32_t, char32_t> table;
    for (const char16_t* forms : kVariants) {
        const QList<uint> points = QString::fromUtf16(forms).toUcs4();
        for (qsizetype i = 1; i < points.size(); ++i)
            table.insert(points[i], points[0]);
    }
    return table;
}

} // namespace

char32_t commonNameForm(char32_t c) {
    static const QHash<char32_t, char32_t> table = buildTable();
    return table.value(c, c);
}

} // namespace mivo
