#include "particulars/case_particulars.h"

namespace mivo {

void CaseParticulars::set(const Particulars& particulars) {
    if (particulars == particulars_)
        return;
    const Particulars previous = std::exchange(particulars_, particulars);
    emit changed(previous);
}

void CaseParticulars::setValue(Particular particular, const QString& text) {
    Particulars next = particulars_;
    next.setValue(particular, text);
    set(next);
}

} // namespace mivo
