#pragma once

#include <QString>

class QWidget;

namespace mivo {

class CurrentDocument;
class PrintService;
class Prompts;

// Prints the open document and tells the user when that fails; the list of findings comes
// first (goAheadAfterChecks). A printer that refuses jobs is
// reported before anything is sent; a stopped one only takes the job when the user says so.
// Without a printer it offers to save the page as a PDF file instead. The document and its
// values are never changed. Returns a line for the status bar: where the job went, or empty.
QString printDocument(QWidget* parent, const CurrentDocument& document, PrintService& service,
                      Prompts& prompts);

} // namespace mivo
