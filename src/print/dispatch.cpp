#include "print/dispatch.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/printer_surface.h"

namespace mivo {
namespace {

// Compared in this order; the first equal title wins.
const QString* const kOrder[] = {
    &DocumentKind::LayoutDrawing,   &DocumentKind::SelfDeclaration,
    &DocumentKind::PowerOfAttorney, &DocumentKind::TransferCertificate,
    &DocumentKind::ConsentLetter,   &DocumentKind::ParkingConsentCertificate,
};

PrintRoutine routeFor(const QString& title) {
    for (const QString* candidate : kOrder) {
        if (title != *candidate)
            continue;
        for (const DocumentInfo& info : documents()) {
            if (info.title == *candidate)
                return info.print;
        }
    }
    return nullptr;
}

} // namespace

PrintOutcome insatu(PrinterSurface& surface, const CurrentDocument& document) {
    const PrintRoutine print = routeFor(document.title());
    if (!print)
        return {};
    try {
        print(surface, document);
    } catch (const PrintError& error) {
        surface.CancelJob();
        return {PrintOutcome::Status::Failed, error.reason()};
    }
    return {PrintOutcome::Status::Printed, {}};
}

} // namespace mivo
