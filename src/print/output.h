#pragma once

#include "print/dispatch.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <memory>
#include <span>

namespace mivo {

class CurrentDocument;
class PageTarget;
class PainterSurface;
class ImageTarget;
class PrinterTarget;

// Where pages go: a printer, a PDF file, or a picture (a file, or kept in memory to be shown).
// File paths are the file system's own bytes, so that a name that is not UTF-8 is written
// under that name.
struct Destination {
    enum class Kind { Printer, Pdf, Image };
    Kind kind = Kind::Printer;
    QString printer;           // a queue's name; empty for the system's default
    int copies = 1;            // of the whole job
    QByteArray path;           // the file; empty keeps a picture in memory
    QByteArray format = "PNG"; // of a picture: PNG or JPEG
    int dpi = 150;             // of a picture

    static Destination defaultPrinter() { return {}; }
    static Destination namedPrinter(const QString& name, int copies) {
        return {Kind::Printer, name, copies, {}, {}, 0};
    }
    static Destination pdf(const QByteArray& path) { return {Kind::Pdf, {}, 1, path, {}, 0}; }
    static Destination pdf(const QString& path) { return pdf(QFile::encodeName(path)); }
    static Destination image(const QByteArray& path, const QByteArray& format, int dpi) {
        return {Kind::Image, {}, 1, path, format, dpi};
    }
    // The page kept in memory to be shown (a preview).
    static Destination picture(int dpi) { return image({}, "PNG", dpi); }
};

// One job or file: each document added is drawn by its print routine as the next page, and
// finish() hands them all over together: one printer job, one PDF file with one page per
// document, or one picture. A file is written only when every page was drawn; a failed page
// spoils the whole output and nothing is handed over.
class Output {
  public:
    explicit Output(const Destination& destination);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Draws `document` as the next page. NothingToPrint leaves the output as it was.
    PrintOutcome add(const CurrentDocument& document);
    // Hands every page over, once. Failed after a failed page; NothingToPrint when no page was
    // drawn.
    PrintOutcome finish();

    // The page of a picture destination, once finished.
    QImage image() const;

  private:
    std::unique_ptr<PageTarget> target_;
    std::unique_ptr<PainterSurface> surface_;
    ImageTarget* image_ = nullptr;
    PrinterTarget* printer_ = nullptr;
    PrintOutcome failure_;
    int pages_ = 0;
};

// The documents as one output, one page each, in the order given.
PrintOutcome output(const Destination& destination,
                    std::span<const CurrentDocument* const> documents);
inline PrintOutcome output(const Destination& destination, const CurrentDocument& document) {
    const CurrentDocument* one[] = {&document};
    return output(destination, one);
}

} // namespace mivo
