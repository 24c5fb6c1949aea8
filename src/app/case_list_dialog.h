#pragma once

#include "cases/case.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace mivo {

class CaseKeeper;
class Prompts;

// 案件を開く: the stored cases newest first, searched as you type over every value, with
// their last change and the documents that have values. A case is opened, renamed in place
// (F2), duplicated or deleted after a question; the keeper does the work.
class CaseListDialog : public QDialog {
    Q_OBJECT
  public:
    CaseListDialog(CaseKeeper& keeper, Prompts& prompts, QWidget* parent = nullptr);

  private:
    void search();
    void showList(const QString& search, const QList<CaseSummary>& cases);
    qint64 selectedId() const;
    void updateButtons();
    void openSelected();
    void renameSelected();
    void removeSelected();

    CaseKeeper& keeper_;
    Prompts& prompts_;
    QLineEdit* search_;
    QTreeWidget* list_;
    QPushButton* open_;
    QPushButton* rename_;
    QPushButton* duplicate_;
    QPushButton* remove_;
    bool filling_ = false; // the list is being filled, not renamed
};

} // namespace mivo
