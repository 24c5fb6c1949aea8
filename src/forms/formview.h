#pragma once

#include "document/document_kind.h"

#include <QWidget>

class QTabBar;

namespace mivo {

class CurrentDocument;

// The document chooser `Formview`, opened by New while no document is open. Two tabs, each
// with three document buttons; a pick reports the document and closes the chooser, キャンセル
// clears the current document and closes it. A window of its own, kept in front of `owner`
// and centred on its screen. Deletes itself when closed.
class Formview : public QWidget {
    Q_OBJECT
  public:
    Formview(CurrentDocument& document, QWidget* owner);

  signals:
    // A document button was pressed; the chooser closes next.
    void picked(DocumentKind kind);
    // However it closes.
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void tabClick();
    void pick(DocumentKind kind);

    QTabBar* tabStrip_ = nullptr;
};

} // namespace mivo
