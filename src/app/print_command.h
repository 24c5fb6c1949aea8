#pragma once

class QWidget;

namespace mivo {

class CurrentDocument;
class PrintService;
class Prompts;

// Prints the open document and tells the user when that fails. Without a printer it offers to
// save the page as a PDF file instead. The document and its values are never changed.
void printDocument(QWidget* parent, const CurrentDocument& document, PrintService& service,
                   Prompts& prompts);

} // namespace mivo
