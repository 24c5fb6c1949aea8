#include "document/current_document.h"

namespace mivo {

CurrentDocument::CurrentDocument(QObject* parent) : QObject(parent) {}

void CurrentDocument::setTitle(const QString& title) {
    if (title_ == title)
        return;
    title_ = title;
    emit titleChanged(title_);
}

void CurrentDocument::clear() {
    fields_.clear();
    drawing_.clear();
    setTitle(QString());
}

} // namespace mivo
