#pragma once

#include "print/dispatch.h"

#include <QString>

namespace mivo {

class CurrentDocument;

// The open document as one page on the system's default printer.
PrintOutcome printToDefaultPrinter(const CurrentDocument& document);
// ... as a PDF file (no file is left when it fails).
PrintOutcome printToPdf(const CurrentDocument& document, const QString& path);
// ... as a PNG picture of the whole paper at `dpi`.
PrintOutcome printToPng(const CurrentDocument& document, const QString& path, int dpi);

} // namespace mivo
