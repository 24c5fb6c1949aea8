#pragma once

#include "print/printer_surface.h"
#include "print/value_fit.h"

#include <cstdint>
#include <span>

namespace mivo {

class FieldStore;

// One row of a layout table: a surface operation with constant arguments, a fixed text, or a
// field value placed through DrawLine. A layout is a few such tables played in order, so that
// each table reads like the form it prints.
struct Step {
    enum class Kind {
        Line,
        Box,
        MoveTo,
        LineRelative,
        PenWidth,
        PenStyle,
        Unit,
        FontName,
        FontSize,
        FontBold,
        Text,
        Field,
    };
    Kind kind;
    float a = 0, b = 0, c = 0, d = 0;
    const char16_t* text = nullptr;
    int number = 0; // field index, pen width, bold flag or enumeration value
};

namespace steps {
constexpr Step line(float x1, float y1, float x2, float y2) {
    return {Step::Kind::Line, x1, y1, x2, y2};
}
constexpr Step box(float x1, float y1, float x2, float y2) {
    return {Step::Kind::Box, x1, y1, x2, y2};
}
constexpr Step moveTo(float x, float y) { return {Step::Kind::MoveTo, x, y}; }
constexpr Step lineRelative(float dx, float dy) { return {Step::Kind::LineRelative, dx, dy}; }
constexpr Step penWidth(std::int16_t dots) {
    return {.kind = Step::Kind::PenWidth, .number = dots};
}
constexpr Step penStyle(PenStyle style) {
    return {.kind = Step::Kind::PenStyle, .number = static_cast<int>(style)};
}
constexpr Step unit(Unit u) { return {.kind = Step::Kind::Unit, .number = static_cast<int>(u)}; }
constexpr Step fontName(const char16_t* name) {
    return {.kind = Step::Kind::FontName, .text = name};
}
constexpr Step fontSize(float points) { return {Step::Kind::FontSize, points}; }
constexpr Step bold(bool on) { return {.kind = Step::Kind::FontBold, .number = on ? 1 : 0}; }
// A fixed text at the whole position (x, y).
constexpr Step text(std::int16_t x, std::int16_t y, const char16_t* words) {
    return {.kind = Step::Kind::Text, .a = float(x), .b = float(y), .text = words};
}
// The value of field tx(index) at the whole position (x, y).
constexpr Step field(std::int16_t x, std::int16_t y, int index) {
    return {.kind = Step::Kind::Field, .a = float(x), .b = float(y), .number = index};
}
} // namespace steps

// Plays a layout's tables in order for one job, reading field values from `fields`. It keeps
// the face, size, weight and unit the steps set, so that each value is fitted into its gap
// (from `gaps`) in the font it prints in; a value that fits prints exactly as typed.
class LayoutPlayer {
  public:
    LayoutPlayer(PrinterSurface& surface, const FieldStore& fields,
                 std::span<const ValueGap> gaps = {});

    void play(std::span<const Step> table);

  private:
    void placeValue(std::int16_t x, std::int16_t y, int field);
    double twips(float length) const;

    PrinterSurface& surface_;
    const FieldStore& fields_;
    std::span<const ValueGap> gaps_;
    TextStyle style_;
    Unit unit_ = Unit::Millimetre;
};

} // namespace mivo
