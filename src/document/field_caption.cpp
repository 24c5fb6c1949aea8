#include "document/field_caption.h"

#include "document/document_kind.h"
#include "document/field_catalogue.h"

#include <QString>

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

} // namespace

std::optional<int> fieldNamed(const DocumentInfo& document, QStringView heading) {
    const QString wanted = withoutSpaces(heading);
    // The narrowest reading that names exactly one field wins.
    for (int reading = 0; reading < 3; ++reading) {
        std::optional<int> found;
        int matches = 0;
        for (const FieldInfo& field : fieldCatalogue()) {
            if (!document.fields.contains(field.index))
                continue;
            const QString label = withoutSpaces(QStringView(field.label));
            const QString block = withoutSpaces(QStringView(field.block));
            const QString name = reading == 0 ? label : reading == 1 ? block : block + label;
            if (name == wanted) {
                found = field.index;
                ++matches;
            }
        }
        if (matches == 1)
            return found;
    }
    return std::nullopt;
}

} // namespace mivo
