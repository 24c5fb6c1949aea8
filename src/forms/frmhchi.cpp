#include "forms/frmhchi.h"

#include "app/mdi_form1.h"

namespace mivo {

Frmhchi::Frmhchi(MDIForm1& main) : main_(main) {}

Frmhchi* Frmhchi::open(MDIForm1& main) { return new Frmhchi(main); }

} // namespace mivo
