#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace mivo {

// Small readings of typed values shared by the printed forms, the checks and the postal lookup.

// The seven digits of a postal code as typed: with or without the hyphen, half- or
// full-width, spaces and a leading 〒 allowed. Nothing for anything else.
std::optional<int> parsePostalCode(QStringView text);

// A postal code as the pages print it: 176-0001.
QString postalCodeText(int code);

// Full-width ASCII letters, digits and signs, and the dashes keyboards put in numbers, in
// half-width; everything else as it is.
QString halfWidth(QStringView text);

// The whole number in `text` of half- or full-width digits only; nothing for anything else.
std::optional<int> wholeNumber(QStringView text);

// The era the date boxes take, and a year with it: 令和8.
inline constexpr char16_t kEra[] = u"令和";
QString withEra(const QString& year);
// A year as typed without the era before it, if any: 令和 8 → 8.
QString withoutEra(const QString& year);
// The 令和 year of a four-digit Western year from 2019 on; nothing for anything else.
std::optional<int> reiwaYearOf(QStringView westernYear);

} // namespace mivo
