#include "print/layout_steps.h"

#include "document/field_store.h"
#include "print/page_setup.h"
#include "print/twips_per_inch.h"
#include "print/value_form.h"

#include <algorithm>

namespace mivo {

// A job starts in Mincho, 12 pt regular, millimetres.
LayoutPlayer::LayoutPlayer(PrinterSurface& surface, const FieldStore& fields,
                           std::span<const ValueGap> gaps)
    : surface_(surface), fields_(fields),
      gaps_(gaps), style_{QString::fromUtf16(Typeface::Mincho), 12, false} {}

double LayoutPlayer::twips(float length) const {
    return unit_ == Unit::Millimetre ? length * TwipsPerInch / 25.4 : double(length);
}

void LayoutPlayer::play(std::span<const Step> table) {
    for (const Step& s : table) {
        const auto x = static_cast<std::int16_t>(s.a);
        const auto y = static_cast<std::int16_t>(s.b);
        switch (s.kind) {
        case Step::Kind::Line:
            surface_.Line(s.a, s.b, s.c, s.d);
            break;
        case Step::Kind::Box:
            surface_.Box(s.a, s.b, s.c, s.d);
            break;
        case Step::Kind::MoveTo:
            surface_.MoveTo(s.a, s.b);
            break;
        case Step::Kind::LineRelative:
            surface_.LineRelative(s.a, s.b);
            break;
        case Step::Kind::PenWidth:
            surface_.SetPenWidth(static_cast<std::int16_t>(s.number));
            break;
        case Step::Kind::PenStyle:
            surface_.SetPenStyle(static_cast<PenStyle>(s.number));
            break;
        case Step::Kind::Unit:
            unit_ = static_cast<Unit>(s.number);
            surface_.SetUnit(unit_);
            break;
        case Step::Kind::FontName:
            style_.face = QString::fromUtf16(s.text);
            surface_.SetFontName(style_.face);
            break;
        case Step::Kind::FontSize:
            style_.points = s.a;
            surface_.SetFontSize(s.a);
            break;
        case Step::Kind::FontBold:
            style_.bold = s.number != 0;
            surface_.SetFontBold(style_.bold);
            break;
        case Step::Kind::Text:
            DrawLine(surface_, x, y, QString::fromUtf16(s.text));
            break;
        case Step::Kind::Field:
            placeValue(x, y, s.number);
            break;
        }
    }
}

void LayoutPlayer::placeValue(std::int16_t x, std::int16_t y, int field) {
    const QString value = printedForm(field, fields_.value(field));
    const auto gap = std::find_if(gaps_.begin(), gaps_.end(),
                                  [&](const ValueGap& g) { return g.field == field; });
    if (value.isEmpty() || gap == gaps_.end()) {
        DrawLine(surface_, x, y, value);
        return;
    }
    const FittedValue fit = fitValue(value, style_, twips(gap->right - x),
                                     gap->bottom > y ? twips(gap->bottom - y) : 0.0);
    if (fit.state == FitState::Fits) {
        DrawLine(surface_, x, y, value);
        return;
    }
    // The fitted value's own stretch and size, then back to the layout's for what follows.
    if (fit.stretch != 100)
        surface_.SetFontStretch(fit.stretch);
    if (fit.points != style_.points)
        surface_.SetFontSize(fit.points);
    DrawLine(surface_, x, y, fit.text);
    if (fit.points != style_.points)
        surface_.SetFontSize(style_.points);
    if (fit.stretch != 100)
        surface_.SetFontStretch(100);
    surface_.NoteFit(field, fit.state);
}

} // namespace mivo
