#pragma once

#include "document/field_store.h"

#include <QMdiSubWindow>

#include <array>

class QLineEdit;
class QPushButton;

namespace mivo {

class FormPage;
class MDIForm1;

// The data-entry form: a child window of the main window with one page per text document,
// `Frame1(0)` to `Frame1(4)`, and the 79 field boxes `tx(0)` to `tx(78)` made from the field
// catalogue. Each box writes what is typed straight into the open document's field store,
// which is what the print layouts read. Closing the form closes the document.
class Frminin : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr int PageCount = 5;

    // Creates the form in the main window's document area, not yet shown, every page hidden,
    // every field empty, the caption the open document's title.
    explicit Frminin(MDIForm1& main);

    // Makes `Frame1(page)` visible.
    void showPage(int page);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void focusFirstField();

    MDIForm1& main_;
    std::array<FormPage*, PageCount> pages_{};
    std::array<QLineEdit*, PageCount> firstFields_{};
    std::array<QLineEdit*, FieldStore::Count> tx_{};
};

} // namespace mivo
