#include "print/dispatch.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/layouts/consent_letter.h"
#include "print/layouts/layout_drawing.h"
#include "print/layouts/parking_consent_certificate.h"
#include "print/layouts/power_of_attorney.h"
#include "print/layouts/self_declaration.h"
#include "print/layouts/transfer_certificate.h"
#include "print/printer_surface.h"

namespace mivo {
namespace {

using PrintRoutine = void (*)(PrinterSurface&, const CurrentDocument&);

// Each layout reads only what its document holds.
struct Route {
    DocumentKind kind;
    PrintRoutine print;
};

// Compared in this order; the first equal title wins.
const Route kRoutes[] = {
    {DocumentKind::LayoutDrawing,
     [](PrinterSurface& s, const CurrentDocument& d) { PrintLayoutDrawing(s, d.drawing()); }},
    {DocumentKind::SelfDeclaration,
     [](PrinterSurface& s, const CurrentDocument& d) { PrintSelfDeclaration(s, d.fields()); }},
    {DocumentKind::PowerOfAttorney,
     [](PrinterSurface& s, const CurrentDocument& d) { PrintPowerOfAttorney(s, d.fields()); }},
    {DocumentKind::TransferCertificate,
     [](PrinterSurface& s, const CurrentDocument& d) { PrintTransferCertificate(s, d.fields()); }},
    {DocumentKind::ConsentLetter,
     [](PrinterSurface& s, const CurrentDocument& d) { PrintConsentLetter(s, d.fields()); }},
    {DocumentKind::ParkingConsentCertificate,
     [](PrinterSurface& s, const CurrentDocument& d) {
         PrintParkingConsentCertificate(s, d.fields());
     }},
};

PrintRoutine routeFor(const QString& title) {
    for (const Route& route : kRoutes) {
        if (title == titleOf(route.kind))
            return route.print;
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
