#pragma once

#include <QLineEdit>

namespace mivo {

// A box of the data-entry form or the particulars window. Reached with Tab, a filled box puts
// the cursor at its end rather than selecting everything, so that typing adds to it (the 番地
// after a postal lookup). A doubtful value is underlined in red.
class FieldBox : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

    bool isDoubtful() const { return doubtful_; }
    void setDoubtful(bool doubtful);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool doubtful_ = false;
};

} // namespace mivo
