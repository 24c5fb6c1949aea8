#pragma once

#include <QWidget>

namespace mivo {

class MDIForm1;

// The document chooser. Opened by New; while it is open the main window is disabled.
class Formview : public QWidget {
    Q_OBJECT
  public:
    explicit Formview(MDIForm1& main);

  private:
    MDIForm1& main_;
};

} // namespace mivo
