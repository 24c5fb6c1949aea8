#pragma once

#include <QDate>
#include <QString>

namespace mivo {

// A date as the forms' date boxes take it: the year of the 令和 era, the month and the day,
// in half-width digits.
struct ReiwaDate {
    QString year, month, day;
};

// `date` in the 令和 era, which began on 1 May 2019 (year 1); empty for a date before it.
ReiwaDate reiwaDate(QDate date);

// Today on this computer's clock (今日, Ctrl+;).
ReiwaDate reiwaToday();

} // namespace mivo
