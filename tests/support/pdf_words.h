#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <vector>

// Words of a PDF page with their boxes, read back with poppler's pdftotext -bbox.
struct PdfWord {
    QString text;
    QRectF box; // millimetres from the paper's top-left corner, y downward
};

// All words of the first page, in reading order; fails the running test when pdftotext fails.
std::vector<PdfWord> readPdfWords(const QByteArray& pdf);

// The first word that equals `text`, or the first that starts with it; nullptr when none.
const PdfWord* findWord(const std::vector<PdfWord>& words, const QString& text);

// The page size in millimetres, as pdfinfo reports it.
QSizeF pdfPageSizeMm(const QByteArray& pdf);
// The number of pages, as pdfinfo reports it.
int pdfPageCount(const QByteArray& pdf);
