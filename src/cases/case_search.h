#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace mivo {

struct Case;

// Search as you type finds every case whose values contain each word typed, as a substring,
// however it is written: spaces of any width and hyphens are ignored (鈴木一郎 finds
// 鈴木　一郎, 品川330あ1234 finds 品川 330 あ 12-34), full and half width and upper and lower
// case are one, hiragana and katakana are one, and the variants of kanji in names fold to one
// form (髙橋 finds 高橋). Both stores index a case by its character grams: each character and
// each pair of neighbouring characters of every folded value, written as ASCII tokens ("u" and
// "b" with hexadecimal code points) that any tokenizer keeps whole. A query asks for the grams
// of its words, then checks each word against the case's folded text.

// A text folded for search, with where each of its UTF-16 units came from in the original.
struct FoldedText {
    QString text;
    QList<qsizetype> from;
};
FoldedText foldForSearch(const QString& text);

// The case's values, registration number and particulars, folded, one value a line.
QString searchText(const Case& c);
// The distinct grams of a text made by searchText, sorted.
QStringList searchGrams(const QString& foldedText);

struct SearchQuery {
    QStringList words; // folded; each must occur in the folded text
    QStringList grams; // every case that matches has all of these
    bool isEmpty() const { return words.isEmpty(); }
};
SearchQuery searchQuery(const QString& typed);

// Where one of the query's words occurs in `value` (in the original's UTF-16 units), so that
// the list can show why a case was found; an empty range when none does.
struct SearchHit {
    qsizetype start = 0;
    qsizetype length = 0;
    bool found() const { return length > 0; }
};
SearchHit findInValue(const QString& value, const SearchQuery& query);

} // namespace mivo
