#pragma once

#include "document/field_store.h"

#include <QMdiSubWindow>

#include <array>

class QLineEdit;
class QPushButton;

namespace mivo {

class CurrentDocument;
class FormPage;

// The data-entry form: a document window with one page per text document,
// `Frame1(0)` to `Frame1(4)`, and the 79 field boxes `tx(0)` to `tx(78)` made from the field
// catalogue. Each box writes what is typed straight into the open document's field store,
// which is what the print layouts read. Closing the form closes the document.
class Frminin : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr int PageCount = 5;

    // Creates the form, not yet shown, every page hidden, every field of `document` empty,
    // the caption the document's title.
    explicit Frminin(CurrentDocument& document);

    // Makes `Frame1(page)` visible.
    void showPage(int page);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void focusFirstField();

    CurrentDocument& document_;
    std::array<FormPage*, PageCount> pages_{};
    std::array<QLineEdit*, PageCount> firstFields_{};
    std::array<QLineEdit*, FieldStore::Count> tx_{};
};

} // namespace mivo
