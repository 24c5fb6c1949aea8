#include "cases/case_correction.h"

#include "particulars/fill_rules.h"

#include <optional>
#include <utility>

namespace mivo {
namespace {

std::optional<Particular> particularNamed(QStringView name) {
    for (const ParticularInfo& item : particularInfos()) {
        if (name == QStringLiteral("%1.%2").arg(QLatin1StringView(item.roleKey),
                                                QLatin1StringView(item.key)))
            return item.particular;
    }
    return std::nullopt;
}

} // namespace

QList<int> changeParticulars(Case& c, const Particulars& after) {
    const Particulars before = std::exchange(c.particulars, after);
    return followParticulars(before, after, c.values);
}

CaseCorrection correctCase(Case& c, const QStringList& assignments) {
    CaseCorrection result;
    Case corrected = c;
    Particulars particulars = c.particulars;
    QList<int> typed;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(u'=');
        const QString name = assignment.left(equals).trimmed();
        const QString value = assignment.mid(equals + 1);
        bool isIndex = false;
        const int index = name.toInt(&isIndex);
        const std::optional<Particular> particular = particularNamed(name);
        if (equals > 0 && isIndex && FieldStore::isIndex(index)) {
            corrected.values[size_t(index)] = value;
            typed.append(index);
        } else if (equals > 0 && particular) {
            particulars.setValue(*particular, value);
        } else {
            result.error = QStringLiteral("「%1」は案件の項目ではありません。"
                                          "mivo-cases show が書く名前（user.address など）か"
                                          "欄の番号を、名前=値 の形で指定してください。")
                               .arg(equals > 0 ? name : assignment);
            return result;
        }
    }
    // A field set by index becomes the particular it belongs to while that one is empty.
    FieldStore fields;
    for (int i = 0; i < FieldStore::Count; ++i)
        fields.setValue(i, corrected.values[size_t(i)]);
    for (int index : typed)
        adoptTypedValue(particulars, fields, index);

    const Particulars& before = c.particulars;
    changeParticulars(corrected, particulars);
    for (const ParticularInfo& item : particularInfos()) {
        if (before.value(item.particular) != particulars.value(item.particular))
            result.particulars.append(item.particular);
    }
    for (int index = 0; index < FieldStore::Count; ++index) {
        if (corrected.values[size_t(index)] != c.values[size_t(index)])
            result.fields.append(index);
    }
    c = corrected;
    return result;
}

} // namespace mivo
