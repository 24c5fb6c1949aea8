#pragma once

#include "particulars/particulars.h"
#include "particulars/postal_codes.h"

#include <optional>

namespace mivo {

// Where a looked-up address goes: the particular, or the box of the forms, beside a 〒.

// The address particular of the same person as the postal code particular `postalCode`.
std::optional<Particular> addressBeside(Particular postalCode);

// The address box on the same page as the 〒 box `postalField` (tx 1 → 2, 16 → 17, 34 → 35).
std::optional<int> addressFieldBeside(int postalField);

// 都道府県, 市区町村 and 町域 run together, as an address box takes them.
QString addressText(const PostalAddress& address);

} // namespace mivo
