#include "app/print_service.h"

#include "print/print_job.h"

#include <QPrinterInfo>

namespace mivo {
namespace {

class SystemPrintService : public PrintService {
  public:
    bool hasPrinter() const override { return !QPrinterInfo::defaultPrinter().isNull(); }
    std::optional<PrinterState> printerState() const override { return defaultPrinterState(); }
    PrintOutcome print(const CurrentDocument& document) override {
        return printToDefaultPrinter(document);
    }
    PrintOutcome saveAsPdf(const CurrentDocument& document, const QString& path) override {
        return printToPdf(document, path);
    }
};

} // namespace

std::unique_ptr<PrintService> systemPrintService() {
    return std::make_unique<SystemPrintService>();
}

} // namespace mivo
