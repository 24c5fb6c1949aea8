#pragma once

#include <span>

namespace mivo {

// One box of the data-entry form: the field store index it edits, the caption it sits beside
// or inside, the block of the form it belongs to, and its place on its document's page in
// twips from the page's top-left corner.
struct FieldInfo {
    int index;
    const char16_t* label;
    const char16_t* block;
    int left, top, width, height;
};

// All 79 fields, document by document and for each in the order the Tab key visits them.
std::span<const FieldInfo> fieldCatalogue();

} // namespace mivo
