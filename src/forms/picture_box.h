#pragma once

#include <QFrame>
#include <QImage>

namespace mivo {

// A sunken light-grey box that shows a picture unscaled from its top-left corner, cut off at
// the box's edges. Only the visible part is painted, however large the picture. A map fitted
// to its area of the printed frame is shown as it will print instead: the box stands for the
// whole area, and the picture takes its fitted share of it.
class PictureBox : public QFrame {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent);

    // A null picture leaves the box empty.
    void setPicture(const QImage& picture, bool fitted = false);
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    QImage fitted_; // the picture scaled once for the box; null when shown unscaled
};

} // namespace mivo
