#include "document/field_value.h"

#include "document/field_caption.h"

namespace mivo {

QString tooLongMessage(int index) {
    return QStringLiteral("項目 %1（%2）の値が長すぎます（%3 文字まで）")
        .arg(index)
        .arg(fieldTitle(index))
        .arg(kValueMaxLength);
}

QString valueProblem(int index, QStringView value) {
    if (value.size() > kValueMaxLength)
        return tooLongMessage(index);
    if (value.contains(QChar(u'\0'))) {
        return QStringLiteral("項目 %1（%2）の値に NUL 文字があります")
            .arg(index)
            .arg(fieldTitle(index));
    }
    return {};
}

QString valuesProblem(const QMap<int, QString>& values) {
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (QString problem = valueProblem(it.key(), it.value()); !problem.isEmpty())
            return problem;
    }
    return {};
}

} // namespace mivo
