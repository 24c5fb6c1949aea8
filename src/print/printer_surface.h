#pragma once

#include "print/value_fit.h"

#include <QImage>
#include <QPolygonF>
#include <QString>

#include <cstdint>
#include <stdexcept>

namespace mivo {

enum class PaperSize { A4 };
enum class Orientation { Portrait, Landscape };
enum class Unit { Millimetre, Twip };
enum class PenStyle { Solid, Dotted };

// A surface operation that failed (no printer, a refused job, a device error). It stops the
// print routine where it is thrown; the dispatch catches it and cancels the job.
class PrintError : public std::runtime_error {
  public:
    explicit PrintError(const QString& reason)
        : std::runtime_error(reason.toStdString()), reason_(reason) {}
    QString reason() const { return reason_; }

  private:
    QString reason_;
};

// The page-drawing device every layout draws on. Coordinates are in the current unit from the
// top-left corner of the printable area, x to the right, y downward. Every setting holds from
// the moment it is set until it is set again within the same job; each job starts in regular
// weight. Any operation may throw PrintError.
class PrinterSurface {
  public:
    virtual ~PrinterSurface() = default;

    virtual void SetPaperSize(PaperSize paper) = 0;
    virtual void SetOrientation(Orientation orientation) = 0;
    virtual void SetUnit(Unit unit) = 0;
    virtual void SetFontName(const QString& name) = 0;
    virtual void SetFontSize(float points) = 0;
    virtual void SetFontBold(bool bold) = 0;
    // Condenses the texts that follow to `percent` of their natural width; 100 as designed.
    virtual void SetFontStretch(int percent) = 0;
    virtual void SetPenWidth(std::int16_t dots) = 0;
    virtual void SetPenStyle(PenStyle style) = 0;
    // Texts from now on turn clockwise by `degrees` about the top-left corner of their cell.
    virtual void SetFontAngle(float degrees) = 0;
    virtual void MoveTo(float x, float y) = 0;
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    virtual void Box(float x1, float y1, float x2, float y2) = 0;
    virtual void LineRelative(float dx, float dy) = 0;
    // The outline of a circle centred on (x, y), in the current pen.
    virtual void Circle(float x, float y, float radius) = 0;
    // Fills the polygon (current unit) in black, without an outline.
    virtual void FillPolygon(const QPolygonF& points) = 0;
    // Draws the text with the top-left corner of its line cell at the current position.
    virtual void PrintText(const QString& text) = 0;
    // Draws the picture at its natural size with its top-left corner at (x, y).
    virtual void DrawPicture(const QImage& picture, float x, float y) = 0;
    // Draws the whole picture scaled to width × height (current unit), top-left at (x, y).
    virtual void DrawPictureScaled(const QImage& picture, float x, float y, float width,
                                   float height) = 0;
    // Notes that the value of field `fieldIndex`, just printed, was fitted into its gap or did
    // not fit and was printed as far as it goes. Draws nothing.
    virtual void NoteFit(int fieldIndex, FitState state) = 0;
    // Completes the page and hands the job over.
    virtual void EndJob() = 0;

    // Throws away a job that a failure interrupted, so that nothing half-drawn is handed over
    // and the next job starts afresh. Never throws.
    virtual void CancelJob() = 0;
};

} // namespace mivo
