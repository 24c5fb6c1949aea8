#include "document/document_kind.h"

#include <array>

namespace mivo {

std::span<const DocumentInfo> documents() {
    static const std::array<DocumentInfo, 6> table{{
        {DocumentKind::PowerOfAttorney, "power-of-attorney", 62, 78, 0},
        {DocumentKind::TransferCertificate, "transfer-certificate", 40, 61, 1},
        {DocumentKind::ConsentLetter, "consent-letter", 22, 29, 3},
        {DocumentKind::ParkingConsentCertificate, "parking-consent-certificate", 0, 21, 4},
        {DocumentKind::LayoutDrawing, "layout-drawing", -1, -1, -1},
        {DocumentKind::SelfDeclaration, "self-declaration", 30, 39, 2},
    }};
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
