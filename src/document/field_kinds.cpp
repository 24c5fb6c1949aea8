#include "document/field_kinds.h"

#include "document/field_store.h"

#include <array>

namespace mivo {

std::span<const FieldKind> fieldKinds() {
    using enum ValueKind;
    // clang-format off
    static constexpr FieldKind table[] = {
        // 委任状: 令和 printed before the year
        {62, Name, true},
        {63, Year, true, true}, {64, Month, true}, {65, Day, true},
        {66, Vehicle, true},
        {68, Name, false}, {69, Name, true}, {70, Address, true},
        {72, Name, false}, {73, Name, false}, {74, Address, false},
        {76, Name, false}, {77, Name, false}, {78, Address, false},
        // 譲渡証明書
        {40, Vehicle, true}, {41, VehicleCode, true}, {42, VehicleCode, true}, {43, VehicleCode, false},
        {44, Address, true}, {45, Name, true},
        {46, Year, true, true}, {47, Month, true}, {48, Day, true},
        {49, Address, true}, {50, Name, true},
        {51, Year, false, true}, {52, Month, false}, {53, Day, false},
        {54, Address, false}, {55, Name, false},
        {56, Year, false, true}, {57, Month, false}, {58, Day, false},
        {59, Address, false}, {60, Name, false},
        // 自認書: no era on the date line
        {30, PoliceStation, true},
        {31, Year, true}, {32, Month, true}, {33, Day, true},
        {34, PostalCode, false}, {35, Address, true}, {36, Name, true},
        {37, PhonePart, false}, {38, PhonePart, false}, {39, PhonePart, false},
        // 承諾書
        {22, Vehicle, true}, {23, VehicleCode, true}, {24, VehicleCode, true},
        {25, Year, true, true}, {26, Month, true}, {27, Day, true},
        {28, Address, true}, {29, Name, true},
        // 保管場所証明書: no era on the date lines
        {0, Address, true},
        {1, PostalCode, false}, {2, Address, true}, {6, Name, true},
        {3, PhonePart, false}, {4, PhonePart, false}, {5, PhonePart, false},
        {7, Year, true}, {8, Month, true}, {9, Day, true},
        {10, Year, false}, {11, Month, false}, {12, Day, false},
        {13, Year, true}, {14, Month, true}, {15, Day, true},
        {16, PostalCode, false}, {17, Address, true}, {18, Name, true},
        {19, PhonePart, false}, {20, PhonePart, false}, {21, PhonePart, false},
    };
    // clang-format on
    return table;
}

FieldKind fieldKind(int index) {
    static const std::array<FieldKind, FieldStore::Count> byIndex = [] {
        std::array<FieldKind, FieldStore::Count> rows{};
        for (int i = 0; i < FieldStore::Count; ++i)
            rows[size_t(i)] = {i, ValueKind::Text, false};
        for (const FieldKind& row : fieldKinds())
            rows[size_t(row.index)] = row;
        return rows;
    }();
    return FieldStore::isIndex(index) ? byIndex[size_t(index)]
                                      : FieldKind{index, ValueKind::Text, false};
}

} // namespace mivo
