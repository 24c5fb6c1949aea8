#include "print/print_job.h"

#include "print/page_target.h"
#include "print/painter_surface.h"

namespace mivo {
namespace {

PrintOutcome printOn(PageTarget& target, const CurrentDocument& document) {
    PainterSurface surface(target);
    return insatu(surface, document);
}

} // namespace

PrintOutcome printToDefaultPrinter(const CurrentDocument& document) {
    PrinterTarget target;
    PrintOutcome outcome = printOn(target, document);
    if (outcome.status == PrintOutcome::Status::Printed)
        outcome.printer = target.printerName();
    return outcome;
}

PrintOutcome printToPdf(const CurrentDocument& document, const QByteArray& path) {
    PdfTarget target(path);
    return printOn(target, document);
}

PrintOutcome printToPng(const CurrentDocument& document, const QByteArray& path, int dpi) {
    ImageTarget target(dpi, path);
    return printOn(target, document);
}

} // namespace mivo
