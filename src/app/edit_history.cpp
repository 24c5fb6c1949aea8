#include "app/edit_history.h"

#include "document/current_document.h"
#include "particulars/case_particulars.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoCommand>

namespace mivo {
namespace {

bool sameDrawing(const LayoutDrawingState& a, const LayoutDrawingState& b) {
    return a.locationMap.cacheKey() == b.locationMap.cacheKey() &&
           a.layoutMap.cacheKey() == b.layoutMap.cacheKey() &&
           a.registrationNumber == b.registrationNumber && a.fitLocationMap == b.fitLocationMap &&
           a.fitLayoutMap == b.fitLayoutMap;
}

bool same(const EditHistory::State& a, const EditHistory::State& b) {
    return a.values == b.values && a.particulars == b.particulars &&
           sameDrawing(a.drawing, b.drawing);
}

// The one box whose value alone changed, or -1.
int typedField(const EditHistory::State& before, const EditHistory::State& after) {
    if (!(before.particulars == after.particulars) || !sameDrawing(before.drawing, after.drawing))
        return -1;
    int field = -1;
    for (int i = 0; i < FieldStore::Count; ++i) {
        if (before.values[size_t(i)] == after.values[size_t(i)])
            continue;
        if (field >= 0)
            return -1;
        field = i;
    }
    return field;
}

class StateChange : public QUndoCommand {
  public:
    StateChange(EditHistory& history, EditHistory::State before, EditHistory::State after)
        : history_(history), before_(std::move(before)), after_(std::move(after)),
          field_(typedField(before_, after_)) {}

    void undo() override { history_.apply(before_); }
    // Pushing records what was already done.
    void redo() override {
        if (!done_)
            history_.apply(after_);
        done_ = false;
    }
    int id() const override { return field_ < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const StateChange*>(other);
        if (next->field_ != field_)
            return false;
        after_ = next->after_;
        return true;
    }

  private:
    EditHistory& history_;
    EditHistory::State before_;
    EditHistory::State after_;
    int field_;
    bool done_ = true;
};

} // namespace

EditHistory::EditHistory(CurrentDocument& document, CaseParticulars& particulars,
                         std::function<bool(QWidget*)> ownsBox, QObject* parent)
    : QObject(parent), document_(document), particulars_(particulars), ownsBox_(std::move(ownsBox)),
      undo_(new QAction(QStringLiteral("元に戻す(&U)"), this)),
      redo_(new QAction(QStringLiteral("やり直す(&R)"), this)) {
    undo_->setObjectName(QStringLiteral("undo"));
    redo_->setObjectName(QStringLiteral("redo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    undo_->setEnabled(false);
    redo_->setEnabled(false);
    // A change not recorded yet is a step of its own first.
    connect(undo_, &QAction::triggered, this, [this] {
        record();
        stack_.undo();
    });
    connect(redo_, &QAction::triggered, this, [this] {
        record();
        stack_.redo();
    });
    connect(&stack_, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);

    pending_.setSingleShot(true);
    pending_.setInterval(0);
    connect(&pending_, &QTimer::timeout, this, &EditHistory::record);
    connect(&document_.fields(), &FieldStore::valueChanged, this, &EditHistory::changed);
    connect(&particulars_, &CaseParticulars::changed, this, &EditHistory::changed);
    // A closing document empties its values after its title: that is no step either.
    connect(&document_, &CurrentDocument::titleChanged, this, [this](const QString& title) {
        if (!title.isEmpty())
            return;
        stack_.clear();
        closing_ = true;
        pending_.start();
    });
    qApp->installEventFilter(this);
    last_ = current();
}

EditHistory::State EditHistory::current() const {
    State state;
    for (int i = 0; i < FieldStore::Count; ++i)
        state.values[size_t(i)] = document_.fields().value(i);
    state.particulars = particulars_.particulars();
    state.drawing = document_.drawing();
    return state;
}

void EditHistory::changed() {
    if (!applying_)
        pending_.start();
}

void EditHistory::drawingChanged() { changed(); }

void EditHistory::restart() {
    pending_.stop();
    stack_.clear();
    closing_ = false;
    last_ = current();
}

void EditHistory::record() {
    if (closing_) {
        restart();
        return;
    }
    pending_.stop();
    State now = current();
    if (same(now, last_))
        return;
    stack_.push(new StateChange(*this, last_, now));
    last_ = std::move(now);
}

void EditHistory::apply(const State& state) {
    applying_ = true;
    // The particulars first: the form follows them into boxes that the values then set.
    particulars_.set(state.particulars);
    for (int i = 0; i < FieldStore::Count; ++i)
        document_.fields().setValue(i, state.values[size_t(i)]);
    const bool drawing = !sameDrawing(document_.drawing(), state.drawing);
    document_.drawing() = state.drawing;
    applying_ = false;
    last_ = current();
    if (drawing)
        emit drawingRestored();
}

// A box of ours keeps no undo of its own: it takes Ctrl+Z and Ctrl+Y over the window's
// shortcuts, and they are handed to the whole history here instead.
bool EditHistory::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !qobject_cast<QLineEdit*>(watched) ||
        !ownsBox_(static_cast<QWidget*>(watched)))
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QAction* command = key->matches(QKeySequence::Undo) ? undo_
                       : key->matches(QKeySequence::Redo) ||
                               key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)
                           ? redo_
                           : nullptr;
    if (!command)
        return QObject::eventFilter(watched, event);
    command->trigger();
    return true;
}

} // namespace mivo
