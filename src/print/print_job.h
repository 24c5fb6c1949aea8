#pragma once

#include "print/dispatch.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace mivo {

class CurrentDocument;

// The open document as one page on the system's default printer.
PrintOutcome printToDefaultPrinter(const CurrentDocument& document);
// ... as a PDF file: written whole, or the old file is left as it was. `path` is the file
// system's own bytes, so that a name that is not UTF-8 is written under that name.
PrintOutcome printToPdf(const CurrentDocument& document, const QByteArray& path);
// ... as a PNG picture of the whole paper at `dpi`, in the same way.
PrintOutcome printToPng(const CurrentDocument& document, const QByteArray& path, int dpi);

inline PrintOutcome printToPdf(const CurrentDocument& document, const QString& path) {
    return printToPdf(document, QFile::encodeName(path));
}
inline PrintOutcome printToPng(const CurrentDocument& document, const QString& path, int dpi) {
    return printToPng(document, QFile::encodeName(path), dpi);
}

} // namespace mivo
