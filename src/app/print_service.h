#pragma once

#include "print/output.h"
#include "print/printer_state.h"

#include <memory>
#include <span>

namespace mivo {

class CurrentDocument;

// Where the window's commands send pages: printers, PDF files and pictures. The main window
// holds one; tests give it their own so that nothing reaches a real printer.
class PrintService {
  public:
    virtual ~PrintService() = default;

    // Whether the system has a default printer to print on.
    virtual bool hasPrinter() const = 0;
    // Whether the default printer is stopped or refuses jobs; nothing when it cannot be told.
    virtual std::optional<PrinterState> printerState() const = 0;
    // The documents as one job or file, one page each, in order.
    virtual PrintOutcome send(const Destination& destination,
                              std::span<const CurrentDocument* const> documents) = 0;

    PrintOutcome send(const Destination& destination, const CurrentDocument& document) {
        const CurrentDocument* one[] = {&document};
        return send(destination, one);
    }
};

// The system's printers, PDF files and pictures.
std::unique_ptr<PrintService> systemPrintService();

} // namespace mivo
