#include "print/layouts/parking_consent_certificate.h"

#include "print/layout_steps.h"
#include "print/page_setup.h"

#include <optional>

namespace mivo {
namespace {

using namespace steps;

// clang-format off

// Millimetres, solid. A caption column (x 18 to 88) beside three rows: the place (y 27 to 50),
// the user (50 to 90, split at 70), the period of use (90 to 110); below, open to y 180.
constexpr Step kFrame[] = {
    penWidth(7),
    box(18, 27, 273, 180),   // outer frame
    box(235, 19, 273, 27),   // box of the mark 警察署長提出用, on the frame's top right
    penWidth(1),
    line(18, 50, 273, 50),   // under the place's position
    line(88, 70, 273, 70),   // user row: postal code, address, telephone / name
    line(18, 90, 273, 90),   // under the user row
    line(18, 110, 273, 110), // under the period of use
    line(88, 27, 88, 110),   // caption column / values
};

// The title keeps the weight the job starts with. The date lines leave their year before 年;
// the telephone lines leave the area code inside the parentheses and gaps before 局 and 番.
constexpr Step kWording[] = {
    fontSize(17),
    text(105, 10, u"保 管 場 所 使 用 承 諾 証 明 書"),
    fontSize(11), bold(false),
    text(240, 21, u"警察署長提出用"),
    text(27, 36, u"保　管　場　所　の　位　置"),
    text(27, 67, u"使　　　　  用　　　 　 者"),
    text(27, 97, u"使      用      期      間"),
    fontSize(14),
    text(24, 112, u"上記のとおり自動車の保管場所としての使用を承諾したことを証明する｡"),
    // the user
    text(94, 52, u"〒 （　　　  　）"),
    text(94, 59, u"住所"),
    text(195, 65, u"（　　　）　　　 　局　 　　番"),
    text(94, 77, u"氏名"),
    // first and last day of use, date of the certificate
    text(179, 91, u"年　　　　月　　日　か　ら"),
    text(179, 104, u"年　　　　月　　日　ま　で"),
    text(202, 123, u"年　　　　月　　　　日"),
    // the certifying party
    text(102, 133, u"〒 (　　　　)"),
    text(102, 144, u"住　　所"),
    text(102, 158, u"氏　　名　　　    　    　　　　　印"),
    text(195, 170, u"（　　　）　　　 　局　 　　番"),
    fontSize(12),
    text(25, 182, u"備考　  共有の場合は、共有者全員の住所・氏名を記入してください。"),
};

// All at 12 pt regular. Dates: year, month, day; telephones: area code, exchange, number.
constexpr Step kValues[] = {
    field(97, 36, 0),                                              // position of the parking place
    field(110, 53, 1),                                             // user: postal code
    field(110, 60, 2),                                             //       address
    field(203, 65, 3),   field(230, 65, 4),   field(252, 65, 5),   //       telephone
    field(110, 77, 6),                                             //       name
    field(167, 91, 7),   field(194, 91, 8),   field(212, 91, 9),   // first day of use
    field(167, 104, 10), field(194, 104, 11), field(212, 104, 12), // last day of use
    field(190, 123, 13), field(220, 123, 14), field(244, 123, 15), // date of the certificate
    field(113, 134, 16),                                           // certifying party: postal code
    field(128, 145, 17),                                           //                   address
    field(128, 159, 18),                                           //                   name
    field(203, 170, 19), field(228, 170, 20), field(253, 170, 21), //                   telephone
};

// Millimetres: to the frame, the next text or the seal mark; the place, the names and the
// certifying party's address may take a second line within their rows.
constexpr ValueGap kGaps[] = {
    {0, 271, 49.8}, {1, 131}, {2, 271}, {3, 214.5}, {4, 241.5}, {5, 264}, {6, 271, 89.8},
    {7, 178.5}, {8, 203.5}, {9, 218}, {10, 178.5}, {11, 203.5}, {12, 218},
    {13, 201.5}, {14, 226.5}, {15, 251},
    {16, 131.5}, {17, 271, 157.5}, {18, 185.5, 169.5}, {19, 214.5}, {20, 241.5}, {21, 264},
};

// clang-format on

void PrintParkingConsentWording(LayoutPlayer& layout) {
    layout.play(kWording);
    layout.play(kValues);
}

} // namespace

void PrintParkingConsentCertificate(PrinterSurface& surface, const FieldStore& tx) {
    PageSetup(surface, std::nullopt);
    LayoutPlayer layout(surface, tx, kGaps);
    layout.play(kFrame);
    PrintParkingConsentWording(layout);
    surface.EndJob();
}

std::span<const ValueGap> ParkingConsentCertificateGaps() { return kGaps; }

} // namespace mivo
