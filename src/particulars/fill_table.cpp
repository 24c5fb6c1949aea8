#include "particulars/fill_table.h"

namespace mivo {

std::span<const FieldFill> fillTable() {
    using P = Particular;
    // clang-format off
    static constexpr FieldFill table[] = {
        // 車両
        {u"承諾書", 22, P::Make},
        {u"譲渡証明書", 40, P::Make},
        {u"承諾書", 23, P::ModelCode},
        {u"譲渡証明書", 41, P::ModelCode},
        {u"承諾書", 24, P::ChassisNumber},
        {u"譲渡証明書", 42, P::ChassisNumber},
        {u"譲渡証明書", 43, P::EngineModel},
        // 自動車登録番号又は車台番号: a vehicle not yet registered has only its chassis number.
        {u"委任状", 66, P::RegistrationNumber, P::ChassisNumber},
        // 使用者: the declarant of 自認書, the transferee (row 2) of 譲渡証明書, the first
        // delegator of 委任状.
        {u"保管場所証明書", 6, P::UserName},
        {u"自認書", 36, P::UserName},
        {u"譲渡証明書", 50, P::UserName},
        {u"委任状", 69, P::UserName},
        {u"委任状", 67, P::UserReading},
        {u"保管場所証明書", 1, P::UserPostalCode},
        {u"自認書", 34, P::UserPostalCode},
        {u"保管場所証明書", 2, P::UserAddress},
        {u"自認書", 35, P::UserAddress},
        {u"譲渡証明書", 49, P::UserAddress},
        {u"委任状", 70, P::UserAddress},
        {u"保管場所証明書", 3, P::UserPhoneArea},
        {u"自認書", 37, P::UserPhoneArea},
        {u"保管場所証明書", 4, P::UserPhoneExchange},
        {u"自認書", 38, P::UserPhoneExchange},
        {u"保管場所証明書", 5, P::UserPhoneNumber},
        {u"自認書", 39, P::UserPhoneNumber},
        // 譲渡人: row 1 of 譲渡証明書, the second delegator of 委任状.
        {u"譲渡証明書", 45, P::TransferorName},
        {u"委任状", 73, P::TransferorName},
        {u"委任状", 71, P::TransferorReading},
        {u"譲渡証明書", 44, P::TransferorAddress},
        {u"委任状", 74, P::TransferorAddress},
        // 保管場所 and its 承諾者
        {u"保管場所証明書", 0, P::ParkingLocation},
        {u"保管場所証明書", 7, P::UseFromYear},
        {u"保管場所証明書", 8, P::UseFromMonth},
        {u"保管場所証明書", 9, P::UseFromDay},
        {u"保管場所証明書", 10, P::UseToYear},
        {u"保管場所証明書", 11, P::UseToMonth},
        {u"保管場所証明書", 12, P::UseToDay},
        {u"保管場所証明書", 16, P::GrantorPostalCode},
        {u"保管場所証明書", 17, P::GrantorAddress},
        {u"保管場所証明書", 18, P::GrantorName},
        {u"保管場所証明書", 19, P::GrantorPhoneArea},
        {u"保管場所証明書", 20, P::GrantorPhoneExchange},
        {u"保管場所証明書", 21, P::GrantorPhoneNumber},
        // 所有者: the consenting party of 承諾書
        {u"承諾書", 28, P::OwnerAddress},
        {u"承諾書", 29, P::OwnerName},
        {u"委任状", 62, P::Agent},
        {u"自認書", 30, P::PoliceStation},
        // 書類の日付
        {u"保管場所証明書", 13, P::DocumentYear},
        {u"承諾書", 25, P::DocumentYear},
        {u"自認書", 31, P::DocumentYear},
        {u"委任状", 63, P::DocumentYear},
        {u"保管場所証明書", 14, P::DocumentMonth},
        {u"承諾書", 26, P::DocumentMonth},
        {u"自認書", 32, P::DocumentMonth},
        {u"委任状", 64, P::DocumentMonth},
        {u"保管場所証明書", 15, P::DocumentDay},
        {u"承諾書", 27, P::DocumentDay},
        {u"自認書", 33, P::DocumentDay},
        {u"委任状", 65, P::DocumentDay},
        // 譲渡年月日: row 2 of 譲渡証明書, the transferee's
        {u"譲渡証明書", 46, P::TransferYear},
        {u"譲渡証明書", 47, P::TransferMonth},
        {u"譲渡証明書", 48, P::TransferDay},
    };
    // clang-format on
    return table;
}

} // namespace mivo
