#include "cases/case_search.h"

#include "cases/case.h"
#include "cases/name_variants.h"

#include <QRegularExpression>

#include <set>

namespace mivo {
namespace {

bool isHyphen(char32_t c) {
    // The long vowel mark ー is part of a word (ルーシー) and stays.
    return c == u'-' || (c >= 0x2010 && c <= 0x2015) || c == 0x2212 || c == 0xFE63;
}

char32_t hiragana(char32_t c) {
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE)
        return c - 0x60;
    return c;
}

// Appends the folding of one character of the original, found at `origin`.
void fold(char32_t c, qsizetype origin, FoldedText& out) {
    QString forms;
    if (c < 0x80)
        forms = QChar(char16_t(c)).toLower();
    else if ((c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) ||
             (c >= 0x4E00 && c <= 0x9FFF))
        forms = QString::fromUcs4(&c, 1); // already in its one form: the common case is quick
    else
        forms = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KC).toCaseFolded();
    for (const uint d : forms.toUcs4()) {
        if (QChar::isSpace(d) || isHyphen(d))
            continue;
        // A half-width voiced mark joins the kana before it, as in the full-width form.
        if ((d == 0x3099 || d == 0x309A) && !out.text.isEmpty()) {
            const QString joined = (QString(out.text.back()) + QChar(char16_t(d)))
                                       .normalized(QString::NormalizationForm_C);
            if (joined.size() == 1)
                out.text.back() = joined.front();
            continue;
        }
        const char32_t folded = commonNameForm(hiragana(d));
        const QString unit = QString::fromUcs4(&folded, 1);
        out.text += unit;
        for (qsizetype i = 0; i < unit.size(); ++i)
            out.from.append(origin);
    }
}

QString folded(const QString& text) { return foldForSearch(text).text; }

QString hex(char32_t c) { return QString::number(uint(c), 16); }
QString unigram(char32_t c) { return u'u' + hex(c); }
QString bigram(char32_t a, char32_t b) { return u'b' + hex(a) + u'x' + hex(b); }

} // namespace

FoldedText foldForSearch(const QString& text) {
    FoldedText out;
    out.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        const qsizetype origin = i;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        fold(c, origin, out);
    }
    return out;
}

QString searchText(const Case& c) {
    QStringList lines;
    const auto add = [&lines](const QString& value) {
        if (QString line = folded(value); !line.isEmpty())
            lines << line;
    };
    for (const QString& value : c.values)
        add(value);
    add(c.registrationNumber);
    // A case whose person or vehicle is so far only in its particulars is found by them too.
    for (const ParticularInfo& info : particularInfos())
        add(c.particulars.value(info.particular));
    return lines.join(u'\n');
}

QStringList searchGrams(const QString& foldedText) {
    std::set<QString> grams;
    for (const QString& line : foldedText.split(u'\n', Qt::SkipEmptyParts)) {
        const QList<uint> points = line.toUcs4();
        for (qsizetype i = 0; i < points.size(); ++i) {
            grams.insert(unigram(points[i]));
            if (i + 1 < points.size())
                grams.insert(bigram(points[i], points[i + 1]));
        }
    }
    return QStringList(grams.begin(), grams.end());
}

SearchQuery searchQuery(const QString& typed) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    SearchQuery query;
    for (const QString& part : typed.split(space, Qt::SkipEmptyParts)) {
        if (QString word = folded(part); !word.isEmpty())
            query.words << word;
    }
    std::set<QString> grams;
    for (const QString& word : query.words) {
        const QList<uint> points = word.toUcs4();
        if (points.size() == 1)
            grams.insert(unigram(points[0]));
        for (qsizetype i = 0; i + 1 < points.size(); ++i)
            grams.insert(bigram(points[i], points[i + 1]));
    }
    query.grams = QStringList(grams.begin(), grams.end());
    return query;
}

SearchHit findInValue(const QString& value, const SearchQuery& query) {
    const FoldedText text = foldForSearch(value);
    for (const QString& word : query.words) {
        const qsizetype at = text.text.indexOf(word);
        if (at < 0)
            continue;
        const qsizetype last = text.from[at + word.size() - 1];
        const qsizetype end = last + (value[last].isHighSurrogate() ? 2 : 1);
        return {text.from[at], end - text.from[at]};
    }
    return {};
}

} // namespace mivo
