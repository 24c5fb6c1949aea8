#pragma once

#include "document/value_text.h"

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

// The addresses of the code in `text`, in Japan Post's order; several where one code covers
// several towns, none for an unknown code or text that is no code. Japan Post's table is read
// on the first call (see resources/postal).
QList<PostalAddress> lookUpPostalCode(QStringView text);

} // namespace mivo
