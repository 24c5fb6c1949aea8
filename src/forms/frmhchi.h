#pragma once

#include <QWidget>

namespace mivo {

class MDIForm1;

// The picture form of the layout drawing: two map pictures and the registration number.
class Frmhchi : public QWidget {
    Q_OBJECT
  public:
    // Creates the form as a child window of the main window and shows it.
    static Frmhchi* open(MDIForm1& main);

  private:
    explicit Frmhchi(MDIForm1& main);
    MDIForm1& main_;
};

} // namespace mivo
