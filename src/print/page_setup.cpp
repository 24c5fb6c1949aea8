#include "print/page_setup.h"

namespace mivo {

void PageSetup(PrinterSurface& surface, std::optional<std::int16_t> penWidth) {
    surface.SetPaperSize(PaperSize::A4);
    surface.SetOrientation(Orientation::Landscape);
    surface.SetFontName(QString::fromUtf16(Typeface::Mincho));
    surface.SetUnit(Unit::Millimetre);
    if (penWidth)
        surface.SetPenWidth(*penWidth);
    surface.SetPenStyle(PenStyle::Solid);
}

void DrawLine(PrinterSurface& surface, std::int16_t x, std::int16_t y, const QString& text) {
    surface.MoveTo(static_cast<float>(x), static_cast<float>(y));
    surface.PrintText(text);
}

} // namespace mivo
