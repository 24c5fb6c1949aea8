#include "document/field_caption.h"

#include "document/document_kind.h"
#include "document/field_catalogue.h"

#include <algorithm>

namespace mivo {
namespace {

QString withoutSpaces(QStringView text) {
    QString squeezed;
    for (const QChar c : text) {
        if (!c.isSpace())
            squeezed += c;
    }
    return squeezed;
}

const FieldInfo* catalogued(int index) {
    const auto field = std::ranges::find(fieldCatalogue(), index, &FieldInfo::index);
    return field == fieldCatalogue().end() ? nullptr : &*field;
}

} // namespace

std::optional<int> fieldNamed(const DocumentInfo& document, QStringView heading,
                              QList<int>* several) {
    const QString wanted = withoutSpaces(heading);
    QList<int> ambiguous;
    // The narrowest reading that names exactly one field wins.
    for (int reading = 0; reading < 3; ++reading) {
        QList<int> found;
        for (const FieldInfo& field : fieldCatalogue()) {
            if (!document.fields.contains(field.index))
                continue;
            const QString label = withoutSpaces(QStringView(field.label));
            const QString block = withoutSpaces(QStringView(field.block));
            const QString name = reading == 0 ? label : reading == 1 ? block : block + label;
            if (name == wanted)
                found << field.index;
        }
        if (found.size() == 1)
            return found.first();
        if (ambiguous.isEmpty())
            ambiguous = found;
    }
    if (several)
        *several = ambiguous;
    return std::nullopt;
}

QString fieldTitle(int index) {
    const FieldInfo* field = catalogued(index);
    if (!field)
        return QStringLiteral("項目 %1").arg(index);
    const QString block = QString::fromUtf16(field->block);
    // A caption that is the document's wording with gaps (令和　年　月　日) says nothing more.
    const QString label = withoutSpaces(QStringView(field->label));
    const bool shortCaption = label.size() <= 8 && !QStringView(field->label).contains(u"　　");
    return shortCaption && !block.contains(label) ? QStringLiteral("%1 %2").arg(block, label)
                                                  : block;
}

QString listedField(int index) {
    const FieldInfo* field = catalogued(index);
    if (!field)
        return QString::number(index);
    return QStringLiteral("%1 %2 %3")
        .arg(index)
        .arg(QString::fromUtf16(field->label), QString::fromUtf16(field->block));
}

} // namespace mivo
