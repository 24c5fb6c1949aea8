#include "document/value_text.h"

namespace mivo {
namespace {

bool isDash(QChar c) {
    // What keyboards and converters put between the parts of a code or number.
    return c == u'-' || c == u'－' || c == u'‐' || c == u'−' || c == u'ー' || c == u'―';
}

int digitOf(QChar c) {
    return c >= u'0' && c <= u'9'     ? c.unicode() - u'0'
           : c >= u'０' && c <= u'９' ? c.unicode() - u'０'
                                      : -1;
}

} // namespace

std::optional<int> parsePostalCode(QStringView text) {
    QStringView code = text.trimmed();
    if (code.startsWith(u'〒'))
        code = code.sliced(1).trimmed();
    int value = 0, digits = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const int digit = digitOf(code[i]);
        if (digit >= 0) {
            value = value * 10 + digit;
            ++digits;
        } else if (!(isDash(code[i]) && i == 3)) {
            return std::nullopt;
        }
    }
    if (digits != 7)
        return std::nullopt;
    return value;
}

QString postalCodeText(int code) {
    return QStringLiteral("%1-%2")
        .arg(code / 10000, 3, 10, QChar(u'0'))
        .arg(code % 10000, 4, 10, QChar(u'0'));
}

QString halfWidth(QStringView text) {
    QString half;
    half.reserve(text.size());
    for (QChar c : text) {
        if (isDash(c))
            half.append(u'-');
        else if (c >= u'！' && c <= u'～')
            half.append(QChar(c.unicode() - 0xFEE0));
        else if (c == u'\u3000')
            half.append(u' ');
        else
            half.append(c);
    }
    return half;
}

std::optional<int> wholeNumber(QStringView text) {
    const QStringView digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int value = 0;
    for (QChar c : digits) {
        const int digit = digitOf(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

QString withEra(const QString& year) { return QString::fromUtf16(kEra) + year; }

QString withoutEra(const QString& year) {
    const QString trimmed = year.trimmed();
    return trimmed.startsWith(QStringView(kEra)) ? trimmed.sliced(2).trimmed() : year;
}

std::optional<int> reiwaYearOf(QStringView westernYear) {
    const QStringView digits = westernYear.trimmed();
    const std::optional<int> year = wholeNumber(digits);
    if (digits.size() != 4 || !year || *year < 2019)
        return std::nullopt;
    return *year - 2018;
}

} // namespace mivo
