#pragma once

#include "document/field_store.h"
#include "particulars/particulars.h"
#include "print/value_fit.h"

#include <QMdiSubWindow>

#include <array>

class QLineEdit;
class QPushButton;

namespace mivo {

class CaseParticulars;
class CurrentDocument;
class FormPage;
class Prompts;

// The data-entry form: a document window with one page per text document,
// `Frame1(0)` to `Frame1(4)`, and the 79 field boxes `tx(0)` to `tx(78)` made from the field
// catalogue. Each box writes what is typed straight into the open document's field store,
// which is what the print layouts read. Closing the form closes the document.
//
// The case's particulars: boxes filled from them are tinted; a value typed into a box of a
// particular that is still empty becomes it, and correcting or clearing that box corrects or
// clears it until it is edited elsewhere; a change of a particular carries into the boxes that
// are empty or hold its old value. Typing a 〒 fills the empty address box
// beside it, and each date group has 今日 (Ctrl+; in its boxes). A box whose value prints
// condensed, smaller or on two lines shows a mark; one whose value does not fit even so, red.
class Frminin : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr int PageCount = 5;

    // Creates the form, not yet shown, every page hidden, every field of `document` empty,
    // the caption the document's title.
    Frminin(CurrentDocument& document, CaseParticulars& particulars, Prompts& prompts);

    // Makes `Frame1(page)` visible.
    void showPage(int page);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void focusFirstField();
    void addTodayButtons();
    void adopt(int index);
    void showMarks();
    void showToolTip(int index);

    CurrentDocument& document_;
    CaseParticulars& particulars_;
    Prompts& prompts_;
    std::array<bool, FieldStore::Count> tinted_{};
    std::array<FitState, FieldStore::Count> fits_{};      // of each box's value
    std::array<FitState, FieldStore::Count> shownFits_{}; // as its box shows it
    std::array<FormPage*, PageCount> pages_{};
    std::array<QLineEdit*, PageCount> firstFields_{};
    std::array<QLineEdit*, FieldStore::Count> tx_{};
};

} // namespace mivo
