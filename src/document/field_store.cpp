#include "document/field_store.h"

namespace mivo {

QString FieldStore::value(int index) const {
    return isIndex(index) ? values_[static_cast<size_t>(index)] : QString();
}

void FieldStore::setValue(int index, const QString& text) {
    if (!isIndex(index))
        return;
    QString& slot = values_[static_cast<size_t>(index)];
    if (slot == text)
        return;
    slot = text;
    emit valueChanged(index, text);
}

void FieldStore::clear() {
    for (int i = 0; i < Count; ++i)
        setValue(i, QString());
}

} // namespace mivo
