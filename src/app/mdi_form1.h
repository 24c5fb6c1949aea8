#pragma once

#include "document/current_document.h"

#include <QMainWindow>

class QMdiArea;

namespace mivo {

// The main window: menus, toolbar, the status label Label1 that shows the open document's
// title, and the multiple-document area that holds the document windows.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    QMdiArea* mdiArea() const { return mdiArea_; }
    // The open document; Label1 shows its title.
    CurrentDocument& document() { return document_; }

  private:
    CurrentDocument document_;
    QMdiArea* mdiArea_ = nullptr;
};

} // namespace mivo
