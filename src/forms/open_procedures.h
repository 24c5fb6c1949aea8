#pragma once

namespace mivo {

class MDIForm1;

// The chooser's open procedures of the five text documents. Each records the document's title
// as the open document, creates the data-entry form with that title as its caption, makes the
// document's page visible and shows the form in the main window.
void OpenSelfDeclaration(MDIForm1& main);
void OpenParkingConsentCertificate(MDIForm1& main);
void OpenPowerOfAttorney(MDIForm1& main);
void OpenTransferCertificate(MDIForm1& main);
void OpenConsentLetter(MDIForm1& main);

} // namespace mivo
