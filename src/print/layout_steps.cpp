#include "print/layout_steps.h"

#include "document/field_store.h"
#include "print/page_setup.h"
#include "print/value_form.h"

namespace mivo {

void play(PrinterSurface& surface, const FieldStore& fields, std::span<const Step> table) {
    for (const Step& s : table) {
        const auto x = static_cast<std::int16_t>(s.a);
        const auto y = static_cast<std::int16_t>(s.b);
        switch (s.kind) {
        case Step::Kind::Line:
            surface.Line(s.a, s.b, s.c, s.d);
            break;
        case Step::Kind::Box:
            surface.Box(s.a, s.b, s.c, s.d);
            break;
        case Step::Kind::MoveTo:
            surface.MoveTo(s.a, s.b);
            break;
        case Step::Kind::LineRelative:
            surface.LineRelative(s.a, s.b);
            break;
        case Step::Kind::PenWidth:
            surface.SetPenWidth(static_cast<std::int16_t>(s.number));
            break;
        case Step::Kind::PenStyle:
            surface.SetPenStyle(static_cast<PenStyle>(s.number));
            break;
        case Step::Kind::Unit:
            surface.SetUnit(static_cast<Unit>(s.number));
            break;
        case Step::Kind::FontName:
            surface.SetFontName(QString::fromUtf16(s.text));
            break;
        case Step::Kind::FontSize:
            surface.SetFontSize(s.a);
            break;
        case Step::Kind::FontBold:
            surface.SetFontBold(s.number != 0);
            break;
        case Step::Kind::Text:
            DrawLine(surface, x, y, QString::fromUtf16(s.text));
            break;
        case Step::Kind::Field:
            DrawLine(surface, x, y, printedForm(s.number, fields.value(s.number)));
            break;
        }
    }
}

} // namespace mivo
