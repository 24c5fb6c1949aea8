#pragma once

#include <QString>

#include <optional>

namespace mivo {

// What the printing system says about a destination just before a job is sent to it.
struct PrinterState {
    QString name;
    bool stopped = false;  // the queue holds new jobs until someone starts it again
    bool accepting = true; // false: the queue refuses new jobs outright
};

// The state of the system's default destination, or nothing when there is none or the
// scheduler cannot be asked.
std::optional<PrinterState> defaultPrinterState();

} // namespace mivo
