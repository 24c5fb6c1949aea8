#include "print/layouts/consent_letter.h"

#include "print/layout_steps.h"
#include "print/page_setup.h"

namespace mivo {
namespace {

using namespace steps;

// clang-format off

// Millimetres; heavy pen throughout.
constexpr Step kRules[] = {
    box(20, 20, 270, 190),  // outer frame
    box(65, 65, 223, 95),   // vehicle table
    line(65, 80, 223, 80),  // heading row / value row
    line(118, 65, 118, 95), // make / model code
    line(171, 65, 171, 95), // model code / chassis number
};

// The column headings fall into the columns 65-118, 118-171 and 171-223. The date line leaves
// ten, eight and eight half-width spaces after the era, 年 and 月; the name line leaves 34
// before the seal mark.
constexpr Step kWording[] = {
    bold(true), fontSize(22),
    text(113, 30, u"承　　　諾　　　書"),
    fontSize(16), bold(false),
    text(65, 48, u"下記自動車の検査登録申請等､登録の一切を承諾いたします｡"),
    fontSize(14),
    text(80, 70, u"車       名          型       式         車  台  番  号"),
    text(90, 115, u"令和          年        月        日"),
    text(110, 142, u"住     所"),
    text(110, 163, u"氏     名                                  印"),
};

// 14 pt regular.
constexpr Step kValues[] = {
    field(80, 85, 22),   // make
    field(130, 85, 23),  // model code
    field(185, 85, 24),  // chassis number
    field(114, 115, 25), // year
    field(139, 115, 26), // month
    field(165, 115, 27), // day
    field(140, 142, 28), // address, beside its label
    field(140, 163, 29), // name, before the seal mark
};

// Millimetres: the vehicle table's columns, the date line's gaps, the address to the frame and
// the name to the seal mark; the make, address and name may take a second line.
constexpr ValueGap kGaps[] = {
    {22, 117.5, 94.6}, {23, 170.5}, {24, 222.5},
    {25, 124.5}, {26, 149}, {27, 173.5},
    {28, 265, 162}, {29, 215.5, 189},
};

// clang-format on

} // namespace

void PrintConsentLetter(PrinterSurface& surface, const FieldStore& tx) {
    PageSetup(surface, 7);
    LayoutPlayer layout(surface, tx, kGaps);
    layout.play(kRules);
    layout.play(kWording);
    layout.play(kValues);
    surface.EndJob();
}

std::span<const ValueGap> ConsentLetterGaps() { return kGaps; }

} // namespace mivo
