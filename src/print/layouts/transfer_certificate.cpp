#include "print/layouts/transfer_certificate.h"

#include "print/layout_steps.h"
#include "print/page_setup.h"

namespace mivo {
namespace {

using namespace steps;

// clang-format off

// Millimetres. The table's column rules stand at its left edge (84) + 30, + 55, + 105, + 114.
constexpr Step kFrame[] = {
    box(90, 43, 215, 63),    // vehicle box
    line(90, 48, 215, 48),   // heading band / value band
    line(114, 43, 114, 63),  // make / model code
    line(139, 43, 139, 63),  // model code / chassis number
    line(189, 43, 189, 63),  // chassis number / engine model
    penWidth(7),
    line(84, 63, 215, 63),   // table top, over the vehicle box's lower edge
    line(84, 165, 215, 165), // table bottom
    line(84, 63, 84, 165),   // table left edge
    line(114, 63, 114, 165), // transfer date / names and addresses
    line(198, 63, 198, 165), // names and addresses / transferor's seal
    line(215, 63, 215, 165), // table right edge
};

// Twips from here to the end of the page. The row rules, 1100 twips apart, run from x 4790
// to 12170.
constexpr Step kRowRules[] = {
    unit(Unit::Twip),
    moveTo(4790, 4220), lineRelative(7380, 0), // heading row / row 1
    moveTo(4790, 5320), lineRelative(7380, 0), // row 1 / row 2
    moveTo(4790, 6420), lineRelative(7380, 0), // row 2 / row 3
    moveTo(4790, 7520), lineRelative(7380, 0), // row 3 / row 4
    moveTo(4790, 8620), lineRelative(7380, 0), // row 4 / remarks
};

// Rows 2 to 4 carry the date frame "令和      年" over "月    日": six half-width spaces for
// the year, the month before 月, four half-width spaces for the day. Row 1, the first
// transferor, has no date.
constexpr Step kWording[] = {
    fontSize(20), bold(true),
    text(6300, 1300, u"譲  渡  証  明  書"),
    fontSize(10), bold(false),
    text(5000, 2050, u"次の自動車を譲渡したことを証明する｡"),
    fontSize(11),
    text(5350, 2470, u"車    名    型    式      車    台    番    号   原動機の型式"),
    text(4850, 3770, u"譲 渡 年 月 日"),
    fontSize(12),
    text(6580, 3770, u"譲渡人及び譲受人の氏名又は名称及び住所"),
    fontSize(11),
    text(11260, 3770, u"譲渡人印"),
    text(4940, 5500, u"令和      年"), text(5350, 6020, u"月    日"), // row 2
    text(4940, 6600, u"令和      年"), text(5350, 7120, u"月    日"), // row 3
    text(4940, 7700, u"令和      年"), text(5350, 8220, u"月    日"), // row 4
    text(5100, 8850, u"備      考"),
};

// 11 pt regular. Rows 2 to 4 repeat one block 1100 twips apart.
constexpr Step kValues[] = {
    // the vehicle box: make, model code, chassis number, engine model
    field(5400, 3000, 40), field(6800, 3000, 41), field(8300, 3000, 42), field(11000, 3000, 43),
    field(6800, 4450, 44), field(6800, 4850, 45),                        // row 1: address, name
    field(5630, 5500, 46), field(5080, 6020, 47), field(5750, 6020, 48), // row 2: year, month, day
    field(6800, 5550, 49), field(6800, 6000, 50),                        //        address, name
    field(5630, 6600, 51), field(5080, 7120, 52), field(5750, 7120, 53), // row 3
    field(6800, 6650, 54), field(6800, 7100, 55),
    field(5630, 7700, 56), field(5080, 8220, 57), field(5750, 8220, 58), // row 4
    field(6800, 7750, 59), field(6800, 8200, 60),
    field(6800, 8850, 61),                                               // remarks
};

// Twips, inside the columns and rows of the box and the table; the make, names, addresses and
// remarks may take a second line within their row.
constexpr ValueGap kGaps[] = {
    {40, 6450, 3550}, {41, 7865}, {42, 10700}, {43, 12170},
    {44, 11205, 4840}, {45, 11205, 5300},
    {46, 6035}, {47, 5345}, {48, 6005}, {49, 11205, 5990}, {50, 11205, 6400},
    {51, 6035}, {52, 5345}, {53, 6005}, {54, 11205, 7090}, {55, 11205, 7500},
    {56, 6035}, {57, 5345}, {58, 6005}, {59, 11205, 8190}, {60, 11205, 8600},
    {61, 11205, 9330},
};

// clang-format on

} // namespace

void PrintTransferCertificate(PrinterSurface& surface, const FieldStore& tx) {
    PageSetup(surface, 1);
    LayoutPlayer layout(surface, tx, kGaps);
    layout.play(kFrame);
    layout.play(kRowRules);
    layout.play(kWording);
    layout.play(kValues);
    surface.EndJob();
}

std::span<const ValueGap> TransferCertificateGaps() { return kGaps; }

} // namespace mivo
