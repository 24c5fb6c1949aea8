#pragma once

#include <QWidget>

namespace mivo {

// One page of the data-entry form, `Frame1(page)`: its fixed captions and its ruling, drawn
// from the page tables. The form puts the page's field boxes on top.
class FormPage : public QWidget {
    Q_OBJECT
  public:
    FormPage(int page, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int page_;
};

} // namespace mivo
