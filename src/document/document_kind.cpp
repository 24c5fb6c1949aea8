#include "document/document_kind.h"

#include "document/current_document.h"
#include "print/layouts/consent_letter.h"
#include "print/layouts/layout_drawing.h"
#include "print/layouts/parking_consent_certificate.h"
#include "print/layouts/power_of_attorney.h"
#include "print/layouts/self_declaration.h"
#include "print/layouts/transfer_certificate.h"

#include <array>

namespace mivo {
namespace {

// The layouts read only what their document holds.
void printSelfDeclaration(PrinterSurface& s, const CurrentDocument& d) {
    PrintSelfDeclaration(s, d.fields());
}
void printParkingConsentCertificate(PrinterSurface& s, const CurrentDocument& d) {
    PrintParkingConsentCertificate(s, d.fields());
}
void printLayoutDrawing(PrinterSurface& s, const CurrentDocument& d) {
    PrintLayoutDrawing(s, d.drawing());
}
void printPowerOfAttorney(PrinterSurface& s, const CurrentDocument& d) {
    PrintPowerOfAttorney(s, d.fields());
}
void printTransferCertificate(PrinterSurface& s, const CurrentDocument& d) {
    PrintTransferCertificate(s, d.fields());
}
void printConsentLetter(PrinterSurface& s, const CurrentDocument& d) {
    PrintConsentLetter(s, d.fields());
}

} // namespace

std::span<const DocumentInfo> documents() {
    using namespace DocumentKind;
    // clang-format off
    static const std::array<DocumentInfo, 6> table{{
        {SelfDeclaration, "self-declaration", 0, u"自　認　書", "self-declaration.svg",
         {30, 10}, 2, printSelfDeclaration},
        {ParkingConsentCertificate, "parking-consent-certificate", 0, u"保管場所証明書",
         "parking-consent-certificate.svg", {0, 22}, 4, printParkingConsentCertificate},
        {LayoutDrawing, "layout-drawing", 0, u"保管場所配置図", "layout-drawing.svg",
         {}, std::nullopt, printLayoutDrawing},
        {PowerOfAttorney, "power-of-attorney", 1, u"委　任　状", "power-of-attorney.svg",
         {62, 17}, 0, printPowerOfAttorney},
        {TransferCertificate, "transfer-certificate", 1, u"譲　渡　証", "transfer-certificate.svg",
         {40, 22}, 1, printTransferCertificate},
        {ConsentLetter, "consent-letter", 1, u"承　諾　書", "consent-letter.svg",
         {22, 8}, 3, printConsentLetter},
    }};
    // clang-format on
    return table;
}

const DocumentInfo* findDocument(QStringView name) {
    for (const DocumentInfo& info : documents()) {
        if (name == info.title || name == QLatin1StringView(info.alias))
            return &info;
    }
    return nullptr;
}

} // namespace mivo
