#pragma once

#include <span>

namespace mivo {

// A fixed caption of a data-entry page, echoing the wording of the printed document.
// Place in twips from the page's top-left corner; a size of 0 points means the form's font.
struct PageCaption {
    int page;
    const char16_t* text;
    int left, top, width, height;
    double points;
    bool bold;
};

// A black one-pixel rule of a data-entry page, imitating the ruling of the paper: a box at
// (a, b) of width c and height d, or a line from (a, b) to (c, d); twips from the page corner.
struct PageRuling {
    enum Kind { Box, Line };
    int page;
    Kind kind;
    int a, b, c, d;
};

std::span<const PageCaption> pageCaptions();
std::span<const PageRuling> pageRulings();

} // namespace mivo
