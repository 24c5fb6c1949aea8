#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace mivo {

// One address that a postal code stands for.
struct PostalAddress {
    QString prefecture; // 都道府県
    QString city;       // 市区町村
    QString town;       // 町域: empty where the code covers the whole city; a business's
                        // own code adds its street address

    bool operator==(const PostalAddress&) const = default;
};

// The seven digits of a postal code as typed: with or without the hyphen, half- or
// full-width, spaces and a leading 〒 allowed. Nothing for anything else.
std::optional<int> parsePostalCode(QStringView text);

// The addresses of the code in `text`, in Japan Post's order; several where one code covers
// several towns, none for an unknown code or text that is no code. Japan Post's table is read
// on the first call (see resources/postal).
QList<PostalAddress> lookUpPostalCode(QStringView text);

} // namespace mivo
