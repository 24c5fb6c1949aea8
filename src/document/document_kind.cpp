#include "document/document_kind.h"

#include <array>

namespace mivo {

std::span<const DocumentInfo> documents() {
    using enum DocumentKind;
    // clang-format off
    static const std::array<DocumentInfo, 6> table{{
        {SelfDeclaration, QStringLiteral("自認書"), "self-declaration", {30, 10}},
        {ParkingConsentCertificate, QStringLiteral("保管場所証明書"),
         "parking-consent-certificate", {0, 22}},
        {LayoutDrawing, QStringLiteral("保管場所配置図"), "layout-drawing", {}},
        {PowerOfAttorney, QStringLiteral("委任状"), "power-of-attorney", {62, 17}},
        {TransferCertificate, QStringLiteral("譲渡証明書"), "transfer-certificate", {40, 22}},
        {ConsentLetter, QStringLiteral("承諾書"), "consent-letter", {22, 8}},
    }};
    // clang-format on
    return table;
}

// The table is in the order of the enum.
const DocumentInfo& documentInfo(DocumentKind kind) {
    const DocumentInfo& info = documents()[size_t(kind)];
    Q_ASSERT(info.kind == kind);
    return info;
}

const DocumentInfo* findDocument(QStringView name) {
    for (const DocumentInfo& info : documents()) {
        if (name == info.title || name == QLatin1StringView(info.alias))
            return &info;
    }
    return nullptr;
}

} // namespace mivo
