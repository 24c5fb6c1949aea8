#pragma once

#include "print/printer_surface.h"

#include <QString>
#include <QVariantList>

#include <vector>

namespace mivo {

// Keeps every operation in the order it was made, with its arguments, and draws nothing.
// Serves the tests and the renderer's --trace.
class RecordingSurface : public PrinterSurface {
  public:
    struct Operation {
        QString name;
        QVariantList args;

        // {"op":"Line","args":[30,123,135,123]}: whole numbers as JSON integers.
        QByteArray toJson() const;
        bool operator==(const Operation&) const = default;
    };

    const std::vector<Operation>& operations() const { return operations_; }
    // The trace, one JSON object per line.
    QByteArray toJsonLines() const;

    // From the next operation on, every operation throws PrintError (a printer that fails
    // in the middle of a job).
    void failFromOperation(int count) { failAt_ = count; }
    bool cancelled() const { return cancelled_; }

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
    void record(const char* name, QVariantList args);

    std::vector<Operation> operations_;
    int failAt_ = -1;
    int made_ = 0;
    bool cancelled_ = false;
};

} // namespace mivo
