#pragma once

#include "document/field_store.h"
#include "document/layout_drawing_state.h"

#include <QObject>
#include <QString>

namespace mivo {

// The whole working state: which document is open (its title, empty for none) and what has
// been typed or loaded for it. The main window's status label shows the title; the forms
// write the values; the print dispatch reads both.
class CurrentDocument : public QObject {
    Q_OBJECT
  public:
    explicit CurrentDocument(QObject* parent = nullptr);

    QString title() const { return title_; }
    bool isOpen() const { return !title_.isEmpty(); }
    void setTitle(const QString& title);

    // Closes the document: empties the title and discards every value.
    void clear();

    FieldStore& fields() { return fields_; }
    const FieldStore& fields() const { return fields_; }
    LayoutDrawingState& drawing() { return drawing_; }
    const LayoutDrawingState& drawing() const { return drawing_; }

  signals:
    void titleChanged(const QString& title);

  private:
    QString title_;
    FieldStore fields_;
    LayoutDrawingState drawing_;
};

} // namespace mivo
