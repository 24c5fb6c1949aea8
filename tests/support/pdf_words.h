#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <vector>

namespace mivo {
class CurrentDocument;
}

// Words of a PDF page with their boxes, read back with poppler's pdftotext -bbox.
struct PdfWord {
    QString text;
    QRectF box; // millimetres from the paper's top-left corner, y downward
};

// All words of one page (the first by default), in reading order; fails the running test when
// pdftotext fails.
std::vector<PdfWord> readPdfWords(const QByteArray& pdf, int page = 1);

// The first word that equals `text`, or the first that starts with it; nullptr when none.
const PdfWord* findWord(const std::vector<PdfWord>& words, const QString& text);

// The first word that equals `text` and whose top lies within `tolerance` millimetres of `top`;
// nullptr when none.
const PdfWord* findWordOnLine(const std::vector<PdfWord>& words, const QString& text, double top,
                              double tolerance = 1.5);

// Verifies that the word `value` on the line at `top` sits between the words `before` and
// `after` of that line (an empty one bounds nothing), reaching into neither by more than
// `slack` millimetres. Fails the running test otherwise.
void verifyInGap(const std::vector<PdfWord>& words, const QString& value, const QString& before,
                 const QString& after, double top, double slack = 0.05);

// Sets the fields from tx(first) on to the space-separated `values`, one each, in order.
void setFields(mivo::CurrentDocument& document, int first, const QString& values);

// The open document printed through the dispatch, as the program prints it, to a PDF in memory
// whose origin is the paper's corner. Fails the running test when the print fails.
QByteArray printToPdf(const mivo::CurrentDocument& document);

// How many characters the words hold together: the whole wording of a page, spaces aside.
qsizetype characterCount(const std::vector<PdfWord>& words);

// The page size in millimetres, as pdfinfo reports it.
QSizeF pdfPageSizeMm(const QByteArray& pdf);
// The number of pages, as pdfinfo reports it.
int pdfPageCount(const QByteArray& pdf);
