#pragma once

#include <QString>
#include <QStringList>

namespace mivo {

struct Case;

// Search as you type finds every case whose values contain each word typed, as a substring,
// whatever the width (全角/半角) or case. Both stores index a case by its character grams: each
// character and each pair of neighbouring characters of every value, written as ASCII tokens
// ("u" and "b" with hexadecimal code points) that any tokenizer keeps whole. A query asks for
// the grams of its words, then checks each word against the case's folded text.

// The case's values and registration number, folded, one word a line.
QString searchText(const Case& c);
// The distinct grams of a text made by searchText, sorted.
QStringList searchGrams(const QString& foldedText);

struct SearchQuery {
    QStringList words; // folded; each must occur in the folded text
    QStringList grams; // every case that matches has all of these
    bool isEmpty() const { return words.isEmpty(); }
};
SearchQuery searchQuery(const QString& typed);

} // namespace mivo
