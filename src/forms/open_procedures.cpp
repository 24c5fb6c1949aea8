#include "forms/open_procedures.h"

#include "app/mdi_form1.h"
#include "document/document_kind.h"
#include "forms/frminin.h"

namespace mivo {
namespace {

void openTextDocument(MDIForm1& main, const QString& title) {
    main.document().setTitle(title);
    auto* form = new Frminin(main);
    form->setWindowTitle(title);
    form->showPage(findDocument(title)->page);
    form->show();
}

} // namespace

void OpenSelfDeclaration(MDIForm1& main) { openTextDocument(main, DocumentKind::SelfDeclaration); }

void OpenParkingConsentCertificate(MDIForm1& main) {
    openTextDocument(main, DocumentKind::ParkingConsentCertificate);
}

void OpenPowerOfAttorney(MDIForm1& main) { openTextDocument(main, DocumentKind::PowerOfAttorney); }

void OpenTransferCertificate(MDIForm1& main) {
    openTextDocument(main, DocumentKind::TransferCertificate);
}

void OpenConsentLetter(MDIForm1& main) { openTextDocument(main, DocumentKind::ConsentLetter); }

} // namespace mivo
