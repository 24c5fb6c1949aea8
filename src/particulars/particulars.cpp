#include "particulars/particulars.h"

#include "particulars/fill_table.h"

#include <algorithm>

namespace mivo {
namespace {

const QLatin1StringView kLearnedFromKey("learnedFrom");

// Whether `field` takes its value from `particular` alone, as a field it can be learned from.
bool learnableFrom(Particular particular, int field) {
    return std::ranges::any_of(fillTable(), [&](const FieldFill& row) {
        return row.field == field && row.particular == particular && !row.otherwise;
    });
}

// json[roleKey][key] of the particular `item`.
void insertAt(QJsonObject& json, const ParticularInfo& item, const QJsonValue& value) {
    const QString roleKey = QLatin1StringView(item.roleKey);
    QJsonObject role = json.value(roleKey).toObject();
    role.insert(QLatin1StringView(item.key), value);
    json.insert(roleKey, role);
}

QJsonValue valueAt(const QJsonObject& json, const ParticularInfo& item) {
    return json.value(QLatin1StringView(item.roleKey))
        .toObject()
        .value(QLatin1StringView(item.key));
}

} // namespace

std::span<const ParticularInfo> particularInfos() {
    using P = Particular;
    // clang-format off
    static constexpr ParticularInfo table[] = {
        {P::Make, u"車両", "vehicle", u"車名", "make", u"車名"},
        {P::ModelCode, u"車両", "vehicle", u"型式", "modelCode", u"型式"},
        {P::ChassisNumber, u"車両", "vehicle", u"車台番号", "chassisNumber", u"車台番号"},
        {P::EngineModel, u"車両", "vehicle", u"原動機の型式", "engineModel", u"原動機の型式"},
        {P::RegistrationNumber, u"車両", "vehicle", u"登録番号", "registrationNumber", u"登録番号"},
        {P::VehicleLength, u"車両", "vehicle", u"長さ（cm）", "length", u"車両の長さ"},
        {P::VehicleWidth, u"車両", "vehicle", u"幅（cm）", "width", u"車両の幅"},
        {P::VehicleHeight, u"車両", "vehicle", u"高さ（cm）", "height", u"車両の高さ"},
        {P::UserReading, u"使用者", "user", u"フリガナ", "reading", u"使用者のフリガナ"},
        {P::UserName, u"使用者", "user", u"氏名", "name", u"使用者の氏名"},
        {P::UserPostalCode, u"使用者", "user", u"〒", "postalCode", u"使用者の郵便番号"},
        {P::UserAddress, u"使用者", "user", u"住所", "address", u"使用者の住所"},
        {P::UserPhoneArea, u"使用者", "user", u"電話（市外局番）", "phoneArea", u"使用者の電話の市外局番"},
        {P::UserPhoneExchange, u"使用者", "user", u"電話（局番）", "phoneExchange", u"使用者の電話の局番"},
        {P::UserPhoneNumber, u"使用者", "user", u"電話（番号）", "phoneNumber", u"使用者の電話の番号"},
        {P::UserBaseOfUse, u"使用者", "user", u"使用の本拠の位置", "baseOfUse", u"使用の本拠の位置"},
        {P::TransferorReading, u"譲渡人", "transferor", u"フリガナ", "reading", u"譲渡人のフリガナ"},
        {P::TransferorName, u"譲渡人", "transferor", u"氏名", "name", u"譲渡人の氏名"},
        {P::TransferorAddress, u"譲渡人", "transferor", u"住所", "address", u"譲渡人の住所"},
        {P::ParkingLocation, u"保管場所", "parking", u"位置", "location", u"保管場所の位置"},
        {P::UseFromYear, u"保管場所", "parking", u"使用期間（から）年", "fromYear", u"使用期間の始まりの年"},
        {P::UseFromMonth, u"保管場所", "parking", u"使用期間（から）月", "fromMonth", u"使用期間の始まりの月"},
        {P::UseFromDay, u"保管場所", "parking", u"使用期間（から）日", "fromDay", u"使用期間の始まりの日"},
        {P::UseToYear, u"保管場所", "parking", u"使用期間（まで）年", "toYear", u"使用期間の終わりの年"},
        {P::UseToMonth, u"保管場所", "parking", u"使用期間（まで）月", "toMonth", u"使用期間の終わりの月"},
        {P::UseToDay, u"保管場所", "parking", u"使用期間（まで）日", "toDay", u"使用期間の終わりの日"},
        {P::GrantorPostalCode, u"保管場所の承諾者", "grantor", u"〒", "postalCode", u"承諾者の郵便番号"},
        {P::GrantorAddress, u"保管場所の承諾者", "grantor", u"住所", "address", u"承諾者の住所"},
        {P::GrantorName, u"保管場所の承諾者", "grantor", u"氏名", "name", u"承諾者の氏名"},
        {P::GrantorPhoneArea, u"保管場所の承諾者", "grantor", u"電話（市外局番）", "phoneArea", u"承諾者の電話の市外局番"},
        {P::GrantorPhoneExchange, u"保管場所の承諾者", "grantor", u"電話（局番）", "phoneExchange", u"承諾者の電話の局番"},
        {P::GrantorPhoneNumber, u"保管場所の承諾者", "grantor", u"電話（番号）", "phoneNumber", u"承諾者の電話の番号"},
        {P::OwnerAddress, u"所有者", "owner", u"住所", "address", u"所有者の住所"},
        {P::OwnerName, u"所有者", "owner", u"氏名", "name", u"所有者の氏名"},
        {P::Agent, u"代理人", "agent", u"氏名", "name", u"代理人"},
        {P::PoliceStation, u"警察署", "police", u"警察署", "station", u"警察署"},
        {P::DocumentYear, u"書類の日付", "documentDate", u"年（令和）", "year", u"書類の日付の年"},
        {P::DocumentMonth, u"書類の日付", "documentDate", u"月", "month", u"書類の日付の月"},
        {P::DocumentDay, u"書類の日付", "documentDate", u"日", "day", u"書類の日付の日"},
        {P::TransferYear, u"譲渡年月日", "transferDate", u"年（令和）", "year", u"譲渡年月日の年"},
        {P::TransferMonth, u"譲渡年月日", "transferDate", u"月", "month", u"譲渡年月日の月"},
        {P::TransferDay, u"譲渡年月日", "transferDate", u"日", "day", u"譲渡年月日の日"},
    };
    // clang-format on
    static_assert(std::size(table) == kParticularCount);
    static_assert(
        [] {
            for (size_t i = 0; i < std::size(table); ++i) {
                if (table[i].particular != Particular(i))
                    return false;
            }
            return true;
        }(),
        "the rows follow the enumeration");
    return table;
}

const ParticularInfo& info(Particular particular) {
    return particularInfos()[static_cast<size_t>(particular)];
}

void Particulars::setValue(Particular particular, const QString& text) {
    if (values_[index(particular)] == text)
        return;
    values_[index(particular)] = text;
    learnedFrom_[index(particular)].reset();
}

void Particulars::learn(Particular particular, const QString& text, int field) {
    values_[index(particular)] = text;
    learnedFrom_[index(particular)] = field;
}

bool Particulars::isLearnedFrom(int field) const {
    return std::ranges::find(learnedFrom_, std::optional<int>(field)) != learnedFrom_.end();
}

QJsonObject Particulars::toJson() const {
    QJsonObject json, learned;
    for (const ParticularInfo& item : particularInfos()) {
        if (isEmpty(item.particular))
            continue;
        insertAt(json, item, value(item.particular));
        if (const std::optional<int> field = learnedFrom(item.particular))
            insertAt(learned, item, *field);
    }
    if (!learned.isEmpty())
        json.insert(kLearnedFromKey, learned);
    return json;
}

Particulars Particulars::fromJson(const QJsonObject& json) {
    Particulars particulars;
    const QJsonObject learned = json.value(kLearnedFromKey).toObject();
    for (const ParticularInfo& item : particularInfos()) {
        const QJsonValue value = valueAt(json, item);
        if (!value.isString() || value.toString().isEmpty())
            continue;
        const QJsonValue field = valueAt(learned, item);
        if (field.isDouble() && learnableFrom(item.particular, field.toInt(-1)))
            particulars.learn(item.particular, value.toString(), field.toInt());
        else
            particulars.setValue(item.particular, value.toString());
    }
    return particulars;
}

} // namespace mivo
