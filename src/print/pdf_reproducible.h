#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace mivo {

// What makes the same page give the same PDF bytes in every run.

// Qt keeps the fonts a PDF embeds in a hash and writes them, and numbers their objects, in the
// hash's order, which follows a seed drawn anew by every process. While one of these lives,
// hashes made in this process take a fixed seed, so a page with two typefaces writes them in
// the same order every time. Each hash keeps the seed it was made with, so hashes made before
// or after are not disturbed; the random seed returns when the last one goes.
class FixedHashOrder {
  public:
    FixedHashOrder();
    ~FixedHashOrder();
    FixedHashOrder(const FixedHashOrder&) = delete;
    FixedHashOrder& operator=(const FixedHashOrder&) = delete;
};

// The creation date a PDF carries: SOURCE_DATE_EPOCH (whole seconds since 1970, UTC) when it
// is set, the convention of reproducible builds; otherwise none, and Qt writes the time now.
struct SourceDate {
    std::optional<QDateTime> date;
    QString error; // set but not such a number
};
SourceDate sourceDateFromEnvironment();

// Puts `date` (as UTC) into the creation date of a PDF that Qt wrote, in place and at the
// same length, so that no offset of the file moves. False, with `pdf` unchanged, when the
// date is not where Qt writes it.
bool setCreationDate(QByteArray& pdf, const QDateTime& date);

} // namespace mivo
