#pragma once

#include "cases/case.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace mivo {

class CaseKeeper;
class Prompts;

// 案件を開く: the stored cases newest first, searched as you type over every value, with
// their last change, the documents that have values and, while searching, the value that
// matched. A case is opened, renamed in place (F2), duplicated or moved to the trash after a
// question; ごみ箱 shows the trash, whose cases are restored or deleted for good. The keeper
// does the work.
class CaseListDialog : public QDialog {
    Q_OBJECT
  public:
    CaseListDialog(CaseKeeper& keeper, Prompts& prompts, QWidget* parent = nullptr);

  private:
    void search();
    void showList(const QString& search, const QList<CaseSummary>& cases);
    void showTrash(const QList<CaseSummary>& cases);
    void fill(const QList<CaseSummary>& cases, bool trash);
    qint64 selectedId() const;
    void updateButtons();
    void openSelected();
    void renameSelected();
    void removeSelected();
    void purgeSelected();

    CaseKeeper& keeper_;
    Prompts& prompts_;
    QLineEdit* search_;
    QTreeWidget* list_;
    QLabel* empty_;
    QPushButton* trash_;
    QPushButton* restore_;
    QPushButton* purge_;
    QPushButton* open_;
    QPushButton* rename_;
    QPushButton* duplicate_;
    QPushButton* remove_;
    bool filling_ = false; // the list is being filled, not renamed
};

} // namespace mivo
