#include "forms/formview.h"

#include "app/mdi_form1.h"

namespace mivo {

Formview::Formview(MDIForm1& main) : QWidget(&main, Qt::Tool), main_(main) {}

} // namespace mivo
