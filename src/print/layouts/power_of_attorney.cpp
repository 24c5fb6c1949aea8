#include "print/layouts/power_of_attorney.h"

#include "print/layout_steps.h"
#include "print/page_setup.h"

namespace mivo {
namespace {

using namespace steps;

// Millimetres; pen widths in device dots.
constexpr Step kRules[] = {
    line(70, 69, 202, 69), // divider of the vehicle number box, under its label
    box(20, 20, 270, 190), // outer frame
    box(70, 63, 202, 83),  // vehicle number box
    penWidth(1),
    line(30, 123, 135, 123),  // left block: under the name lines
    line(150, 123, 255, 123), // upper right block: under the name lines
    line(30, 135, 135, 135),  // left block: under the address
    line(150, 135, 255, 135), // upper right block: under the address
    line(150, 173, 255, 173), // lower right block: under the name lines
    line(150, 185, 255, 185), // lower right block: under the address
    penStyle(PenStyle::Dotted),
    penWidth(1),
    line(30, 95, 135, 95),    // left block: under the reading
    line(150, 95, 255, 95),   // upper right block: under the reading
    line(150, 150, 255, 150), // lower right block: under the reading
};

// The date line leaves gaps of four ideographic spaces for year, month and day.
constexpr Step kWording[] = {
    fontSize(22),
    bold(true),
    text(105, 25, u"委　　　任　　　状"),
    fontSize(16),
    bold(false),
    text(30, 40, u"下記自動車の検査登録申請に関する一切の権限を"),
    fontSize(12),
    text(200, 40, u"に委任する。"),
    text(40, 52, u"令和　　　　年　　　　月　　　　日"),
    text(96, 64, u"自 動 車 登 録 番 号 又 は 車 台 番 号"),
    text(31, 90, u"フリガナ"),
    text(151, 90, u"フリガナ"),
    text(31, 96, u"委任者"),
    text(151, 96, u"委任者"),
    text(31, 118, u"氏名又は名称"),
    text(129, 118, u"印"),
    text(151, 118, u"氏名又は名称"),
    text(249, 118, u"印"),
    text(31, 130, u"住　　所"),
    text(151, 130, u"住　　所"),
    text(151, 145, u"フリガナ"),
    text(151, 151, u"委任者"),
    text(151, 168, u"氏名又は名称"),
    text(249, 168, u"印"),
    text(151, 180, u"住　　所"),
};

// Each delegator block: reading, 委任者 line, name at label column + 34 mm; address + 24 mm.
constexpr Step kValues[] = {
    field(160, 40, 62), // the agent, inside the sentence
    field(57, 52, 63),  // year
    field(78, 52, 64),  // month
    field(100, 52, 65), // day
    field(90, 74, 66),  // registration or chassis number
    field(65, 89, 67),   field(65, 97, 68),   field(65, 117, 69),  field(55, 129, 70),
    field(185, 89, 71),  field(185, 97, 72),  field(185, 117, 73), field(175, 129, 74),
    field(185, 144, 75), field(185, 152, 76), field(185, 167, 77), field(175, 179, 78),
};

// Millimetres. A value runs to the next text on its line: the seal mark, the right block's
// captions (151) or the frame (270); the agent, the 委任者 lines and the addresses may take a
// second line above what follows.
constexpr ValueGap kGaps[] = {
    {62, 199.5, 62},  {63, 65},    {64, 86},         {65, 107},   {66, 201},        {67, 148},
    {68, 148, 116},   {69, 128.5}, {70, 148, 134.8}, {71, 269},   {72, 269, 116},   {73, 248.5},
    {74, 269, 134.8}, {75, 269},   {76, 269, 166},   {77, 248.5}, {78, 269, 184.8},
};

void DrawPowerOfAttorneyBody(LayoutPlayer& layout) {
    layout.play(kWording);
    layout.play(kValues);
}

} // namespace

void PrintPowerOfAttorney(PrinterSurface& surface, const FieldStore& tx) {
    PageSetup(surface, 7);
    LayoutPlayer layout(surface, tx, kGaps);
    layout.play(kRules);
    DrawPowerOfAttorneyBody(layout);
    surface.EndJob();
}

std::span<const ValueGap> PowerOfAttorneyGaps() { return kGaps; }

} // namespace mivo
