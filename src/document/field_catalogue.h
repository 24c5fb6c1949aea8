#pragma once

#include <span>

namespace mivo {

// One box of the data-entry form: the field store index it edits, the caption it sits beside
// or inside, what the value means, the form page it is on, and its place on that page in
// twips from the page's top-left corner.
struct FieldInfo {
    int index;
    const char16_t* label;
    const char* meaning;
    int page;
    int left, top, width, height;
};

// All 79 fields, page by page (pages 0 to 4 of the data-entry form) and on each page in the
// order the Tab key visits them.
std::span<const FieldInfo> fieldCatalogue();

} // namespace mivo
