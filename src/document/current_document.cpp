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
    // Closed first: whoever keeps the values sees the emptying as a closing, not as typing.
    setTitle(QString());
    fields_.clear();
    drawing_.clear();
}

} // namespace mivo
