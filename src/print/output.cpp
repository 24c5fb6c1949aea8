#include "print/output.h"

#include "print/page_target.h"
#include "print/painter_surface.h"

namespace mivo {
namespace {

std::unique_ptr<PageTarget> targetFor(const Destination& d) {
    switch (d.kind) {
    case Destination::Kind::Printer:
        return std::make_unique<PrinterTarget>(d.printer, d.copies);
    case Destination::Kind::Pdf:
        return std::make_unique<PdfTarget>(d.path);
    case Destination::Kind::Image:
        return std::make_unique<ImageTarget>(d.dpi, d.path, d.format);
    }
    return nullptr;
}

} // namespace

Output::Output(const Destination& destination)
    : target_(targetFor(destination)),
      surface_(std::make_unique<PainterSurface>(*target_, PainterSurface::Pages::Several)) {
    if (destination.kind == Destination::Kind::Image)
        image_ = static_cast<ImageTarget*>(target_.get());
    else if (destination.kind == Destination::Kind::Printer)
        printer_ = static_cast<PrinterTarget*>(target_.get());
}

Output::~Output() = default;

PrintOutcome Output::add(const CurrentDocument& document) {
    if (failure_.failed())
        return failure_;
    const PrintOutcome outcome = insatu(*surface_, document);
    if (outcome.failed())
        failure_ = outcome;
    else if (outcome.status == PrintOutcome::Status::Printed)
        ++pages_;
    return outcome;
}

PrintOutcome Output::finish() {
    if (failure_.failed())
        return failure_;
    if (pages_ == 0)
        return {};
    try {
        surface_->finishPages();
    } catch (const PrintError& error) {
        failure_ = {PrintOutcome::Status::Failed, error.reason()};
        return failure_;
    }
    PrintOutcome printed{PrintOutcome::Status::Printed, {}};
    if (printer_)
        printed.printer = printer_->printerName();
    return printed;
}

QImage Output::image() const { return image_ ? image_->image() : QImage(); }

PrintOutcome output(const Destination& destination,
                    std::span<const CurrentDocument* const> documents) {
    Output out(destination);
    for (const CurrentDocument* document : documents) {
        if (const PrintOutcome page = out.add(*document); page.failed())
            return page;
    }
    return out.finish();
}

} // namespace mivo
