#include "print/layouts/self_declaration.h"

#include "print/layout_steps.h"
#include "print/page_setup.h"

namespace mivo {
namespace {

using namespace steps;

// clang-format off

// The declaration line at y 40 reads 証明申請・届出 (Gothic, bold), に関わる保管場所である,
// 土地・建物 (Gothic, bold), は、私の所有であることに間違いありません。 The two bold pairs
// are printed first and reach a little past the start of the Mincho text after them.
//
// The remarks line below the frame: the note leaves eight and five half-width spaces after
// its two 場合は, and the bold choice words fall on those gaps. Twenty-four half-width spaces
// between them put 届出 on the second gap (with 23 it would overprint the は before it).
constexpr Step kWording[] = {
    fontSize(17), bold(true),
    text(91, 15, u"保管場所使用権原疎明書面（自認書）"),
    fontSize(12), fontName(Typeface::Gothic),
    text(30, 40, u"証明申請 ・ 届出"),
    text(109, 40, u"土地 ・ 建物"),
    fontName(Typeface::Mincho), bold(false),
    text(62, 40, u"に関わる保管場所である"),
    text(132, 40, u"は、私の所有であることに間違いありません。"),
    fontSize(12),
    text(63, 82, u"警察署長　殿"),
    text(109, 100, u"〒（   　   )"),
    text(204, 93, u"年　　　月　　　日"),
    text(109, 115, u"住 　所"),
    text(109, 133, u"氏 　名　　　　　　　　　　  　　印"),
    text(180, 167, u"(        )      　　　局　     　番"),
    fontSize(11),
    text(23, 180, u"備考   　1"),
    text(44, 180, u"保管場所証明書の場合は        に、保管場所届出の場合は     に○をつけてください。"),
    bold(true),
    text(87, 180, u"証明申請                        届出"),
};

// 11 pt, still bold from the remarks line.
constexpr Step kValues[] = {
    field(40, 82, 30),   // police station, before 警察署長
    field(194, 93, 31),  // year, before 年
    field(215, 93, 32),  // month
    field(233, 93, 33),  // day
    field(118, 100, 34), // postal code, inside the parentheses
    field(135, 115, 35), // address
    field(135, 133, 36), // name, before the seal mark
    field(185, 167, 37), // telephone: area code, inside the parentheses
    field(218, 167, 38), //            exchange, before 局
    field(240, 167, 39), //            number, before 番
};

// Millimetres: to the next text, the seal mark or the frame; the address and the name may take
// a second line.
constexpr ValueGap kGaps[] = {
    {30, 62.5}, {31, 203.5}, {32, 220.5}, {33, 237.5}, {34, 134},
    {35, 263, 132.5}, {36, 178.5, 166}, {37, 198.5}, {38, 226}, {39, 249.5},
};

// clang-format on

void DrawSelfDeclarationBody(LayoutPlayer& layout) {
    layout.play(kWording);
    layout.play(kValues);
}

} // namespace

void PrintSelfDeclaration(PrinterSurface& surface, const FieldStore& tx) {
    PageSetup(surface, 1);
    surface.Box(18, 25, 265, 179); // the frame
    LayoutPlayer layout(surface, tx, kGaps);
    DrawSelfDeclarationBody(layout);
    surface.EndJob();
}

std::span<const ValueGap> SelfDeclarationGaps() { return kGaps; }

} // namespace mivo
