#pragma once

#include "print/printer_surface.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace mivo {

// The typefaces the layouts ask for, by the names they are known by.
namespace Typeface {
inline constexpr char16_t Mincho[] = u"ＭＳ 明朝";      // one ASCII space
inline constexpr char16_t Gothic[] = u"ＭＳ　ゴシック"; // one ideographic space
} // namespace Typeface

// The opening sequence of every print routine: A4, landscape, Mincho, millimetres, the pen
// width (one routine sets none) and a solid pen.
void PageSetup(PrinterSurface& surface, std::optional<std::int16_t> penWidth);

// Places a text with the top-left corner of its line cell at the whole position (x, y).
void DrawLine(PrinterSurface& surface, std::int16_t x, std::int16_t y, const QString& text);

} // namespace mivo
