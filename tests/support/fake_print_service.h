#pragma once

#include "app/print_service.h"
#include "document/current_document.h"
#include "print/recording_surface.h"

// Prints through the real dispatch onto a recording surface: no printer is touched. Files are
// written for real.
class FakePrintService : public mivo::PrintService {
  public:
    mivo::RecordingSurface surface;
    bool printerInstalled = true;
    QList<mivo::Destination> printedTo;
    mivo::PrinterState state{QStringLiteral("事務所のプリンタ")};

    bool hasPrinter() const override { return printerInstalled; }
    std::optional<mivo::PrinterState> printerState() const override { return state; }
    using PrintService::send;
    mivo::PrintOutcome send(const mivo::Destination& destination,
                            std::span<const mivo::CurrentDocument* const> documents) override {
        if (destination.kind != mivo::Destination::Kind::Printer)
            return mivo::output(destination, documents);
        printedTo << destination;
        mivo::PrintOutcome outcome;
        for (const mivo::CurrentDocument* document : documents) {
            if (outcome = mivo::insatu(surface, *document); outcome.failed())
                break;
        }
        if (outcome.status == mivo::PrintOutcome::Status::Printed)
            outcome.printer = state.name;
        return outcome;
    }
};
