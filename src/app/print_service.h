#pragma once

#include "print/dispatch.h"
#include "print/printer_state.h"

#include <QString>

#include <memory>

namespace mivo {

class CurrentDocument;

// Where the Print command sends the page. The main window holds one; tests give it their own
// so that nothing reaches a real printer.
class PrintService {
  public:
    virtual ~PrintService() = default;

    // Whether the system has a default printer to print on.
    virtual bool hasPrinter() const = 0;
    // Whether the default printer is stopped or refuses jobs; nothing when it cannot be told.
    virtual std::optional<PrinterState> printerState() const = 0;
    virtual PrintOutcome print(const CurrentDocument& document) = 0;
    virtual PrintOutcome saveAsPdf(const CurrentDocument& document, const QString& path) = 0;
};

// The system's default printer, and PDF files.
std::unique_ptr<PrintService> systemPrintService();

} // namespace mivo
