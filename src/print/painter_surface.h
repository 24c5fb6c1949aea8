#pragma once

#include "print/printer_surface.h"

#include <QPainter>
#include <QPen>
#include <QPointF>

namespace mivo {

class PageTarget;

// Draws the operations with QPainter on a page target (the printer, a PDF file, a picture).
// It paints in twips (1/1440 inch) and scales to the device, so that every size the layouts
// use is a whole number of units per em.
class PainterSurface : public PrinterSurface {
  public:
    // One: each job is handed over when it ends. Several: each job is the next page of one
    // job or file, handed over by finishPages(); a cancelled job spoils the whole of it.
    enum class Pages { One, Several };

    explicit PainterSurface(PageTarget& target, Pages pages = Pages::One);
    ~PainterSurface() override;

    // Pages::Several: ends the last page and hands every page over. Throws PrintError.
    void finishPages();

    void SetPaperSize(PaperSize paper) override;
    void SetOrientation(Orientation orientation) override;
    void SetUnit(Unit unit) override;
    void SetFontName(const QString& name) override;
    void SetFontSize(float points) override;
    void SetFontBold(bool bold) override;
    void SetFontStretch(int percent) override;
    void SetPenWidth(std::int16_t dots) override;
    void SetPenStyle(PenStyle style) override;
    void SetFontAngle(float degrees) override;
    void MoveTo(float x, float y) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Box(float x1, float y1, float x2, float y2) override;
    void LineRelative(float dx, float dy) override;
    void Circle(float x, float y, float radius) override;
    void FillPolygon(const QPolygonF& points) override;
    void PrintText(const QString& text) override;
    void DrawPicture(const QImage& picture, float x, float y) override;
    void DrawPictureScaled(const QImage& picture, float x, float y, float width,
                           float height) override;
    void NoteFit(int fieldIndex, FitState state) override;
    void EndJob() override;
    void CancelJob() override;

  private:
    void startJobIfNeeded();
    QPainter& painter();
    double twips(float value) const;
    QPointF at(float x, float y) const { return {twips(x), twips(y)}; }
    QPen pen() const;
    void drawPictureIn(const QImage& picture, const QRectF& whole);
    void resetSettings();

    PageTarget& target_;
    Pages pages_;
    QPainter painter_;
    bool open_ = false; // a job is being drawn

    Orientation orientation_;
    Unit unit_;
    QString face_;
    float points_;
    bool bold_;
    int stretch_; // percent
    std::int16_t penWidth_;
    PenStyle penStyle_;
    float fontAngle_;
    QPointF position_; // twips
};

} // namespace mivo
