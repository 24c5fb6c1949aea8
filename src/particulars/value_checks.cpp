#include "particulars/value_checks.h"

#include "document/field_catalogue.h"
#include "document/field_kinds.h"
#include "document/field_store.h"
#include "document/value_text.h"
#include "particulars/postal_codes.h"
#include "print/value_fit.h"

#include <QDate>

namespace mivo {
namespace {

const QString kYear = QStringLiteral("令和の年（1〜99）か西暦の4桁（2026など）を入力します");
const QString kMonth = QStringLiteral("月は1〜12で入力します");
const QString kDay = QStringLiteral("その月にない日です。日付を確かめてください");
const QString kPostalCode = QStringLiteral("郵便番号は7桁の数字で入力します（例: 176-0001）");
const QString kUnknownPostalCode =
    QStringLiteral("郵便番号簿にない番号です。番号を確かめてください");
const QString kPhone = QStringLiteral("電話番号は数字だけで入力します");
const QString kVehicleCode = QStringLiteral("半角の英字・数字・ハイフンで入力します");

// The Western year of a date's year box: a 令和 year (元 for 1) or four digits from 2019.
std::optional<int> westernYear(const QString& text) {
    const QString year = withoutEra(text).trimmed();
    if (year == u"元")
        return 2019;
    if (const std::optional<int> reiwa = reiwaYearOf(year))
        return *reiwa + 2018;
    const std::optional<int> number = wholeNumber(year);
    if (!number || year.size() > 2 || *number < 1)
        return std::nullopt;
    return *number + 2018;
}

std::optional<int> month(const QString& text) {
    const std::optional<int> number = wholeNumber(text);
    return number && *number >= 1 && *number <= 12 ? number : std::nullopt;
}

std::optional<QString> dayDoubt(int index, const FieldStore& fields) {
    const std::optional<int> day = wholeNumber(fields.value(index));
    if (!day || *day < 1 || *day > 31)
        return kDay;
    const std::optional<int> y = westernYear(fields.value(index - 2));
    const std::optional<int> m = month(fields.value(index - 1));
    // Against a year or month that is itself wrong the day says nothing more.
    if (y && m && !QDate(*y, *m, *day).isValid())
        return kDay;
    return std::nullopt;
}

bool isVehicleCode(const QString& text) {
    for (QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 0x80) && !(c >= u'A' && c <= u'Z') &&
            !(c >= u'a' && c <= u'z') && c != u'-')
            return false;
    }
    return true;
}

bool isDigits(const QString& text) {
    const QString half = halfWidth(text);
    return std::ranges::all_of(half, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

std::optional<QString> doubtAbout(int index, const FieldStore& fields) {
    const QString value = fields.value(index);
    if (value.trimmed().isEmpty())
        return std::nullopt;
    switch (fieldKind(index).kind) {
    case ValueKind::Year:
        return westernYear(value) ? std::nullopt : std::optional(kYear);
    case ValueKind::Month:
        return month(value) ? std::nullopt : std::optional(kMonth);
    case ValueKind::Day:
        return dayDoubt(index, fields);
    case ValueKind::PostalCode:
        if (!parsePostalCode(value))
            return kPostalCode;
        return lookUpPostalCode(value).isEmpty() ? std::optional(kUnknownPostalCode) : std::nullopt;
    case ValueKind::PhonePart:
        return isDigits(value.trimmed()) ? std::nullopt : std::optional(kPhone);
    case ValueKind::VehicleCode:
        return isVehicleCode(value.trimmed()) ? std::nullopt : std::optional(kVehicleCode);
    default:
        return std::nullopt;
    }
}

QList<Finding> findingsFor(FieldRun within, const FieldStore& fields) {
    QList<Finding> findings;
    const QHash<int, FitState> fits = fitStatesOf(within, fields);
    for (const FieldInfo& info : fieldCatalogue()) {
        if (!within.contains(info.index))
            continue;
        const QString value = fields.value(info.index);
        if (value.trimmed().isEmpty()) {
            if (fieldKind(info.index).important)
                findings.append({info.index, Finding::Kind::Empty, QStringLiteral("空欄です")});
            continue;
        }
        if (const std::optional<QString> doubt = doubtAbout(info.index, fields))
            findings.append({info.index, Finding::Kind::Doubtful, *doubt});
        if (fits.value(info.index) == FitState::DoesNotFit)
            findings.append({info.index, Finding::Kind::DoesNotFit,
                             QStringLiteral("この欄に入りきりません。短くしてください")});
    }
    return findings;
}

QString fieldName(int index) {
    for (const FieldInfo& info : fieldCatalogue()) {
        if (info.index != index)
            continue;
        QString caption = QString::fromUtf16(info.label);
        caption.remove(u' ').remove(u'\u3000');
        const QString block = QString::fromUtf16(info.block);
        return caption.size() <= 8 && !block.contains(caption) ? block + u' ' + caption : block;
    }
    return {};
}

QString findingLine(const Finding& finding) {
    return QStringLiteral("%1: %2").arg(fieldName(finding.field), finding.what);
}

} // namespace mivo
