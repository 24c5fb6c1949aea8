#include "particulars/postal_fill.h"

#include "particulars/fill_table.h"

namespace mivo {

std::optional<Particular> addressBeside(Particular postalCode) {
    switch (postalCode) {
    case Particular::UserPostalCode:
        return Particular::UserAddress;
    case Particular::GrantorPostalCode:
        return Particular::GrantorAddress;
    default:
        return std::nullopt;
    }
}

std::optional<int> addressFieldBeside(int postalField) {
    for (const FieldFill& postal : fillTable()) {
        const std::optional<Particular> address = addressBeside(postal.particular);
        if (postal.field != postalField || !address)
            continue;
        for (const FieldFill& row : fillTable()) {
            if (row.particular == *address && row.document == postal.document)
                return row.field;
        }
    }
    return std::nullopt;
}

QString addressText(const PostalAddress& address) {
    return address.prefecture + address.city + address.town;
}

} // namespace mivo
