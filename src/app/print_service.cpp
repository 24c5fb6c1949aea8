#include "app/print_service.h"

#include <QPrinterInfo>

namespace mivo {
namespace {

class SystemPrintService : public PrintService {
  public:
    bool hasPrinter() const override { return !QPrinterInfo::defaultPrinter().isNull(); }
    std::optional<PrinterState> printerState() const override { return defaultPrinterState(); }
    PrintOutcome send(const Destination& destination,
                      std::span<const CurrentDocument* const> documents) override {
        return output(destination, documents);
    }
};

} // namespace

std::unique_ptr<PrintService> systemPrintService() {
    return std::make_unique<SystemPrintService>();
}

} // namespace mivo
