#include "particulars/fill_table.h"

namespace mivo {

std::span<const FieldFill> fillTable() {
    using P = Particular;
    using enum DocumentKind;
    // clang-format off
    static constexpr FieldFill table[] = {
        // 車両
        {ConsentLetter, 22, P::Make},
        {TransferCertificate, 40, P::Make},
        {ConsentLetter, 23, P::ModelCode},
        {TransferCertificate, 41, P::ModelCode},
        {ConsentLetter, 24, P::ChassisNumber},
        {TransferCertificate, 42, P::ChassisNumber},
        {TransferCertificate, 43, P::EngineModel},
        // 自動車登録番号又は車台番号: a vehicle not yet registered has only its chassis number.
        {PowerOfAttorney, 66, P::RegistrationNumber, P::ChassisNumber},
        // 使用者: the declarant of 自認書, the transferee (row 2) of 譲渡証明書, the first
        // delegator of 委任状.
        {ParkingConsentCertificate, 6, P::UserName},
        {SelfDeclaration, 36, P::UserName},
        {TransferCertificate, 50, P::UserName},
        {PowerOfAttorney, 69, P::UserName},
        {PowerOfAttorney, 67, P::UserReading},
        {ParkingConsentCertificate, 1, P::UserPostalCode},
        {SelfDeclaration, 34, P::UserPostalCode},
        {ParkingConsentCertificate, 2, P::UserAddress},
        {SelfDeclaration, 35, P::UserAddress},
        {TransferCertificate, 49, P::UserAddress},
        {PowerOfAttorney, 70, P::UserAddress},
        {ParkingConsentCertificate, 3, P::UserPhoneArea},
        {SelfDeclaration, 37, P::UserPhoneArea},
        {ParkingConsentCertificate, 4, P::UserPhoneExchange},
        {SelfDeclaration, 38, P::UserPhoneExchange},
        {ParkingConsentCertificate, 5, P::UserPhoneNumber},
        {SelfDeclaration, 39, P::UserPhoneNumber},
        // 譲渡人: row 1 of 譲渡証明書, the second delegator of 委任状.
        {TransferCertificate, 45, P::TransferorName},
        {PowerOfAttorney, 73, P::TransferorName},
        {PowerOfAttorney, 71, P::TransferorReading},
        {TransferCertificate, 44, P::TransferorAddress},
        {PowerOfAttorney, 74, P::TransferorAddress},
        // 保管場所 and its 承諾者
        {ParkingConsentCertificate, 0, P::ParkingLocation},
        {ParkingConsentCertificate, 7, P::UseFromYear},
        {ParkingConsentCertificate, 8, P::UseFromMonth},
        {ParkingConsentCertificate, 9, P::UseFromDay},
        {ParkingConsentCertificate, 10, P::UseToYear},
        {ParkingConsentCertificate, 11, P::UseToMonth},
        {ParkingConsentCertificate, 12, P::UseToDay},
        {ParkingConsentCertificate, 16, P::GrantorPostalCode},
        {ParkingConsentCertificate, 17, P::GrantorAddress},
        {ParkingConsentCertificate, 18, P::GrantorName},
        {ParkingConsentCertificate, 19, P::GrantorPhoneArea},
        {ParkingConsentCertificate, 20, P::GrantorPhoneExchange},
        {ParkingConsentCertificate, 21, P::GrantorPhoneNumber},
        // 所有者: the consenting party of 承諾書
        {ConsentLetter, 28, P::OwnerAddress},
        {ConsentLetter, 29, P::OwnerName},
        {PowerOfAttorney, 62, P::Agent},
        {SelfDeclaration, 30, P::PoliceStation},
        // 書類の日付
        {ParkingConsentCertificate, 13, P::DocumentYear},
        {ConsentLetter, 25, P::DocumentYear},
        {SelfDeclaration, 31, P::DocumentYear},
        {PowerOfAttorney, 63, P::DocumentYear},
        {ParkingConsentCertificate, 14, P::DocumentMonth},
        {ConsentLetter, 26, P::DocumentMonth},
        {SelfDeclaration, 32, P::DocumentMonth},
        {PowerOfAttorney, 64, P::DocumentMonth},
        {ParkingConsentCertificate, 15, P::DocumentDay},
        {ConsentLetter, 27, P::DocumentDay},
        {SelfDeclaration, 33, P::DocumentDay},
        {PowerOfAttorney, 65, P::DocumentDay},
        // 譲渡年月日: row 2 of 譲渡証明書, the transferee's
        {TransferCertificate, 46, P::TransferYear},
        {TransferCertificate, 47, P::TransferMonth},
        {TransferCertificate, 48, P::TransferDay},
    };
    // clang-format on
    return table;
}

} // namespace mivo
