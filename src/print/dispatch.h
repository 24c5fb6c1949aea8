// insatu: prints the open document through the print routine of its kind.
#pragma once

#include <QString>

namespace mivo {

class CurrentDocument;
class PrinterSurface;

struct PrintOutcome {
    enum class Status {
        Printed,        // the page was drawn and handed over
        NothingToPrint, // no document open, or a title that is none of the six
        Failed,         // the surface failed; the job was cancelled, `reason` says why
    };
    Status status = Status::NothingToPrint;
    QString reason;
    QString printer = {}; // the printer that took the job, when it went to one

    bool failed() const { return status == Status::Failed; }
};

// Prints the open document on `surface`: compares its title exactly with the six titles and
// runs the print routine of the first that is equal. A failure stops the routine, cancels
// the job and is returned; the document is never changed.
PrintOutcome insatu(PrinterSurface& surface, const CurrentDocument& document);

} // namespace mivo
