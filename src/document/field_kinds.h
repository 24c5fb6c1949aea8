#pragma once

#include <span>

namespace mivo {

// What kind of value a field holds, for the form it prints in and the checks before printing.
enum class ValueKind {
    Text,          // free text: 備考, 委任者, readings
    Name,          // a person's or company's name
    Address,       // an address or a place
    Year,          // of a date: the 令和 year, or a Western year of four digits
    Month,         // of a date: the year's field is one before
    Day,           // of a date: the year's field is two before
    PostalCode,    // seven digits
    PhonePart,     // 市外局番, 局番 or 番号: digits
    VehicleCode,   // 型式, 車台番号: half-width letters, digits and hyphens
    Vehicle,       // 車名, 登録番号 or 車台番号 as written
    PoliceStation, // the station's name, which the page follows with 警察署長
};

// One field of the catalogue that is more than free text. `important`: an empty one is named
// before printing. `eraPrinted`, for a year: the page prints 令和 before it.
struct FieldKind {
    int index;
    ValueKind kind;
    bool important;
    bool eraPrinted = false;
};

// The fields that are more than free text, by document.
std::span<const FieldKind> fieldKinds();

// The row of `index`; a free-text row for a field the table does not list.
FieldKind fieldKind(int index);

} // namespace mivo
