#pragma once

#include "document/location_marks.h"
#include "forms/picture_box.h"

namespace mivo {

// The location map's box. Once the map has marks it shows the left area as it will print:
// the picture fitted into it, each place's circle and label, the line between them and its
// distance; over that, the chosen mark and the scale's two points. A click puts the chosen mark
// there, a drag moves a mark, and the arrow keys move the chosen one a pixel at a time (ten with
// Shift). On a map fetched from the tiles a mark that moves keeps its latitude and longitude; on
// the user's own picture it loses them.
class LocationMapBox : public PictureBox {
    Q_OBJECT
  public:
    enum class Tool { Home, Parking, Scale };

    LocationMapBox(LocationMarks& marks, QWidget* parent);

    void setTool(Tool tool);
    Tool tool() const { return tool_; }
    // Shows the picture and the marks as they are now.
    void refresh(const QImage& picture, bool fitted);

  signals:
    // The user moved or placed a mark or a point of the scale.
    void marksChanged();
    // Both points of the scale are set: its length is asked for next.
    void scaleDrawn();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool marking() const;
    int dpi() const;
    double pixelsPerMm() const;
    QTransform pictureToBox() const;
    std::optional<MapMark>& chosen();
    void moveChosen(QPointF pixel);

    LocationMarks& marks_;
    bool fitted_ = false; // the plain box shows the map fitted to its area
    QImage rendered_;     // the left area as it prints, for the marked box
    Tool tool_ = Tool::Home;
    bool dragging_ = false;
    int scalePoints_ = 0; // points of the scale set since the tool was chosen
};

} // namespace mivo
