#include "app/mdi_form1.h"

#include <QMdiArea>

namespace mivo {

MDIForm1::MDIForm1(QWidget* parent) : QMainWindow(parent), mdiArea_(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("Mivo書類発行"));
    setCentralWidget(mdiArea_);
}

MDIForm1::~MDIForm1() = default;

} // namespace mivo
