#pragma once

#include "particulars/particulars.h"

#include <QWidget>

#include <array>

class QLineEdit;

namespace mivo {

class CaseParticulars;
class Prompts;

// 案件の基本情報: the current case's particulars grouped by role, one labelled box each, the
// telephone's parts and each date's year, month and day on one line with 今日. What is typed
// goes into `particulars` as it is typed; what changes there elsewhere (a certificate import,
// a value adopted from a form) shows at once. A 〒 of seven digits fills the empty address
// beside it. A window of its own, kept in front of its parent.
class ParticularsWindow : public QWidget {
    Q_OBJECT
  public:
    ParticularsWindow(CaseParticulars& particulars, Prompts& prompts, QWidget* parent);

  private:
    QWidget* lineFor(Particular particular);
    void showParticulars();

    CaseParticulars& particulars_;
    Prompts& prompts_;
    std::array<QLineEdit*, kParticularCount> boxes_{};
};

} // namespace mivo
