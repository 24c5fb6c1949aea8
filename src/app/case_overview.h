#pragma once

#include "document/document_kind.h"

#include <QWidget>

class QGridLayout;
class QLabel;

namespace mivo {

class CaseKeeper;

// What the work area shows while no document is open: the current case's name, its main
// particulars and its documents, each with its state (空, 入力あり, or 印刷済み and the date of
// its last print or PDF) and a button that opens it.
class CaseOverview : public QWidget {
    Q_OBJECT
  public:
    CaseOverview(const CaseKeeper& keeper, QWidget* parent);

    // Reads the current case again.
    void refresh();

  signals:
    void openRequested(mivo::DocumentKind kind);

  private:
    const CaseKeeper& keeper_;
    QLabel* name_;
    QLabel* particulars_;
    QList<QLabel*> states_;
};

} // namespace mivo
