#pragma once

#include "document/field_store.h"
#include "document/layout_drawing_state.h"
#include "particulars/particulars.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <array>
#include <functional>

class QAction;
class QWidget;

namespace mivo {

class CaseParticulars;
class CurrentDocument;

// 元に戻す and やり直す over the open document and the case's particulars together: typing in
// any box, 基本情報から入力し直す, a certificate import, a map loaded or removed, 枠に合わせる.
// Whatever changes in one turn of the event loop is one step, so a command that fills many
// boxes is undone at once; typing on in one box is one step until another box is typed in.
// The window starts the history again when another document or case has been filled in.
class EditHistory : public QObject {
    Q_OBJECT
  public:
    // `ownsBox` tells whether a text box belongs to the windows whose typing is recorded here:
    // Ctrl+Z in such a box undoes here, not only inside the box.
    EditHistory(CurrentDocument& document, CaseParticulars& particulars,
                std::function<bool(QWidget*)> ownsBox, QObject* parent);

    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    QUndoStack& stack() { return stack_; }

    // The user changed the layout drawing (its maps, their fit, the number).
    void drawingChanged();
    // Another document or case, filled: what came before can no longer be undone.
    void restart();

    struct State {
        std::array<QString, FieldStore::Count> values;
        Particulars particulars;
        LayoutDrawingState drawing;
    };
    void apply(const State& state);

  signals:
    // Undo or redo put another drawing into the document: the windows that show it refresh.
    void drawingRestored();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    State current() const;
    void changed();
    void record();

    CurrentDocument& document_;
    CaseParticulars& particulars_;
    std::function<bool(QWidget*)> ownsBox_;
    QUndoStack stack_;
    QTimer pending_;
    State last_;
    bool applying_ = false;
    bool closing_ = false; // the document closed: what it empties is taken as the start
    QAction* undo_;
    QAction* redo_;
};

} // namespace mivo
