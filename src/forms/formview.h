#pragma once

#include <QWidget>

class QTabBar;

namespace mivo {

class MDIForm1;
struct DocumentInfo;

// The document chooser `Formview`, opened by New while no document is open. Two tabs, each
// with three document buttons; a pick opens the document and closes the chooser. The main
// window is disabled while the chooser is open and enabled again however the chooser closes.
// Deletes itself when closed.
class Formview : public QWidget {
    Q_OBJECT
  public:
    explicit Formview(MDIForm1& main);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void tabClick();
    void pick(const DocumentInfo& info);

    MDIForm1& main_;
    QTabBar* tabStrip_ = nullptr;
};

} // namespace mivo
