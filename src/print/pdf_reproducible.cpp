#include "print/pdf_reproducible.h"

#include <QHashSeed>

#include <algorithm>
#include <atomic>

namespace mivo {
namespace {

std::atomic<int> fixedOrderHolders{0};

bool isDigits(QByteArrayView text) {
    return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

FixedHashOrder::FixedHashOrder() {
    if (fixedOrderHolders.fetch_add(1) == 0)
        QHashSeed::setDeterministicGlobalSeed();
}

FixedHashOrder::~FixedHashOrder() {
    if (fixedOrderHolders.fetch_sub(1) == 1)
        QHashSeed::resetRandomGlobalSeed(); // does nothing when QT_HASH_SEED=0 asked for it
}

SourceDate sourceDateFromEnvironment() {
    if (!qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"))
        return {};
    bool ok = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").trimmed().toLongLong(&ok);
    // Four-digit years only: the PDF date has room for no more.
    constexpr qint64 kLastSecondOf9999 = 253402300799;
    if (!ok || seconds < 0 || seconds > kLastSecondOf9999)
        return {std::nullopt,
                QStringLiteral("SOURCE_DATE_EPOCH は 1970 年からの秒数（0 以上の整数）"
                               "にしてください。")};
    return {QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC), {}};
}

// Qt writes the date into the document information, before any stream:
// "/CreationDate (D:YYYYMMDDHHmmSS" then "Z)" or an offset "+HH'mm')".
bool setCreationDate(QByteArray& pdf, const QDateTime& date) {
    constexpr QByteArrayView kKey = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(kKey);
    const qsizetype firstStream = pdf.indexOf("stream");
    if (at < 0 || (firstStream >= 0 && firstStream < at))
        return false;
    const qsizetype digits = at + kKey.size();
    const QByteArrayView rest = QByteArrayView(pdf).sliced(digits);
    if (rest.size() < 16 || !isDigits(rest.first(14)))
        return false;
    const QByteArrayView zone = rest.sliced(14);
    const bool utc = zone.startsWith("Z)");
    const bool offset = zone.size() >= 8 && (zone[0] == '+' || zone[0] == '-') &&
                        isDigits(zone.sliced(1, 2)) && zone[3] == '\'' &&
                        isDigits(zone.sliced(4, 2)) && zone.sliced(6, 2) == "')";
    if (!utc && !offset)
        return false;
    const QByteArray when = date.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    if (when.size() != 14)
        return false;
    pdf.replace(digits, 14, when);
    if (offset)
        pdf.replace(digits + 14, 7, "+00'00'");
    return true;
}

} // namespace mivo
