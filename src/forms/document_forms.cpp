#include "forms/document_forms.h"

#include <QtGlobal>

namespace mivo {

std::span<const DocumentForm> documentForms() {
    using enum DocumentKind;
    // clang-format off
    static constexpr DocumentForm table[] = {
        {SelfDeclaration, 0, u"自　認　書", "self-declaration.svg", 2},
        {ParkingConsentCertificate, 0, u"保管場所証明書", "parking-consent-certificate.svg", 4},
        {LayoutDrawing, 0, u"保管場所配置図", "layout-drawing.svg", std::nullopt},
        {PowerOfAttorney, 1, u"委　任　状", "power-of-attorney.svg", 0},
        {TransferCertificate, 1, u"譲　渡　証", "transfer-certificate.svg", 1},
        {ConsentLetter, 1, u"承　諾　書", "consent-letter.svg", 3},
    };
    // clang-format on
    return table;
}

// The table is in the order of the enum.
const DocumentForm& documentForm(DocumentKind kind) {
    const DocumentForm& form = documentForms()[size_t(kind)];
    Q_ASSERT(form.kind == kind);
    return form;
}

} // namespace mivo
