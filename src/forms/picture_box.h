#pragma once

#include <QFrame>
#include <QImage>

namespace mivo {

// A sunken light-grey box that shows a picture unscaled from its top-left corner, cut off at
// the box's edges. Only the visible part is painted, however large the picture.
class PictureBox : public QFrame {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent);

    // A null picture leaves the box empty.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

} // namespace mivo
