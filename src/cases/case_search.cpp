#include "cases/case_search.h"

#include "cases/case.h"

#include <QRegularExpression>

#include <set>

namespace mivo {
namespace {

QStringList foldedWords(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC)
        .toCaseFolded()
        .split(space, Qt::SkipEmptyParts);
}

QString hex(char32_t c) { return QString::number(uint(c), 16); }
QString unigram(char32_t c) { return u'u' + hex(c); }
QString bigram(char32_t a, char32_t b) { return u'b' + hex(a) + u'x' + hex(b); }

} // namespace

QString searchText(const Case& c) {
    QStringList words;
    for (const QString& value : c.values)
        words += foldedWords(value);
    words += foldedWords(c.registrationNumber);
    // A case whose person or vehicle is so far only in its particulars is found by them too.
    for (const ParticularInfo& info : particularInfos())
        words += foldedWords(c.particulars.value(info.particular));
    return words.join(u'\n');
}

QStringList searchGrams(const QString& foldedText) {
    std::set<QString> grams;
    for (const QString& word : foldedText.split(u'\n', Qt::SkipEmptyParts)) {
        const QList<uint> points = word.toUcs4();
        for (qsizetype i = 0; i < points.size(); ++i) {
            grams.insert(unigram(points[i]));
            if (i + 1 < points.size())
                grams.insert(bigram(points[i], points[i + 1]));
        }
    }
    return QStringList(grams.begin(), grams.end());
}

SearchQuery searchQuery(const QString& typed) {
    SearchQuery query;
    query.words = foldedWords(typed);
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

} // namespace mivo
