#include "particulars/reiwa_date.h"

namespace mivo {

ReiwaDate reiwaDate(QDate date) {
    if (!date.isValid() || date < QDate(2019, 5, 1))
        return {};
    return {QString::number(date.year() - 2018), QString::number(date.month()),
            QString::number(date.day())};
}

ReiwaDate reiwaToday() { return reiwaDate(QDate::currentDate()); }

} // namespace mivo
