#pragma once

#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>
#include <span>

namespace mivo {

// One particular of a case (案件の基本情報), in the order the particulars window shows them.
enum class Particular {
    // 車両
    Make,
    ModelCode,
    ChassisNumber,
    EngineModel,
    RegistrationNumber,
    VehicleLength, // in cm, as the certificate gives them
    VehicleWidth,
    VehicleHeight,
    // 使用者
    UserReading,
    UserName,
    UserPostalCode,
    UserAddress,
    UserPhoneArea,
    UserPhoneExchange,
    UserPhoneNumber,
    UserBaseOfUse,
    // 譲渡人
    TransferorReading,
    TransferorName,
    TransferorAddress,
    // 保管場所
    ParkingLocation,
    UseFromYear,
    UseFromMonth,
    UseFromDay,
    UseToYear,
    UseToMonth,
    UseToDay,
    // 保管場所の承諾者
    GrantorPostalCode,
    GrantorAddress,
    GrantorName,
    GrantorPhoneArea,
    GrantorPhoneExchange,
    GrantorPhoneNumber,
    // 所有者
    OwnerAddress,
    OwnerName,
    // one item each
    Agent,
    PoliceStation,
    DocumentYear,
    DocumentMonth,
    DocumentDay,
    TransferYear,
    TransferMonth,
    TransferDay,
};
inline constexpr int kParticularCount = int(Particular::TransferDay) + 1;

// How a particular is shown and kept: its role's box and JSON key, its own label and key, and
// the label that names it alone in messages (使用者の氏名).
struct ParticularInfo {
    Particular particular;
    const char16_t* roleLabel;
    const char* roleKey;
    const char16_t* label;
    const char* key;
    const char16_t* fullLabel;
};

// Every particular, in the order of the enumeration.
std::span<const ParticularInfo> particularInfos();
const ParticularInfo& info(Particular particular);

// The particulars of one case; every value free text, empty until set.
//
// A particular may have been learned from a field: typed into that box of a document while
// the particular was empty. While it holds what it learned, that box goes on driving it (a
// mistyped value is corrected or cleared where it was typed); any other change of its value
// (the particulars window, an import, the command line) ends the link.
class Particulars {
  public:
    QString value(Particular particular) const { return values_[index(particular)]; }
    // A different value ends the particular's link to the field it was learned from.
    void setValue(Particular particular, const QString& text);
    bool isEmpty(Particular particular) const { return values_[index(particular)].isEmpty(); }

    // The particular takes `text` as typed into `field`, which from now on drives it.
    void learn(Particular particular, const QString& text, int field);
    std::optional<int> learnedFrom(Particular particular) const {
        return learnedFrom_[index(particular)];
    }
    // Whether some particular was learned from `field` (the box that fills nothing).
    bool isLearnedFrom(int field) const;

    // {"vehicle": {"make": "…", …}, "user": {…}, …}, with the non-empty values only, and
    // "learnedFrom": {"user": {"phoneNumber": 5}, …} naming the fields they were learned from.
    QJsonObject toJson() const;
    // Reads what toJson writes; unknown keys and values that are not text are left out, and a
    // link to a field the particular does not fill.
    static Particulars fromJson(const QJsonObject& json);

    bool operator==(const Particulars&) const = default;

  private:
    static size_t index(Particular particular) { return static_cast<size_t>(particular); }
    std::array<QString, kParticularCount> values_;
    std::array<std::optional<int>, kParticularCount> learnedFrom_;
};

} // namespace mivo
