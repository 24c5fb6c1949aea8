#pragma once

#include "document/document_kind.h"
#include "particulars/particulars.h"

#include <optional>
#include <span>

namespace mivo {

// One field that a particular fills: the document it is on, its index in the field store,
// the particular, and the one it takes instead while that particular is empty.
struct FieldFill {
    DocumentKind document;
    int field;
    Particular particular;
    std::optional<Particular> otherwise = std::nullopt;
};

// Every field the particulars fill, particular by particular.
std::span<const FieldFill> fillTable();

} // namespace mivo
