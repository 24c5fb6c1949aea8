#include "print/printer_state.h"

#include <QPrinterInfo>

#include <cups/cups.h>

#include <cstring>

namespace mivo {

std::optional<PrinterState> defaultPrinterState() {
    // The same default the printer target prints on.
    const QString name = QPrinterInfo::defaultPrinter().printerName();
    if (name.isEmpty())
        return std::nullopt;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return std::nullopt;
    const auto option = [dest](const char* key) {
        const char* value = cupsGetOption(key, dest->num_options, dest->options);
        return value ? value : "";
    };
    PrinterState state;
    state.name = name;
    state.stopped = std::strcmp(option("printer-state"), "5") == 0; // IPP_PSTATE_STOPPED
    state.accepting = std::strcmp(option("printer-is-accepting-jobs"), "false") != 0;
    cupsFreeDests(1, dest);
    return state;
}

} // namespace mivo
