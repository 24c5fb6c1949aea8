#include "app/toolbar_customize_dialog.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace mivo {
namespace {

const QString kSeparator = QStringLiteral("区切り");

void addItem(QListWidget* list, QAction* button) {
    auto* item = new QListWidgetItem(list);
    item->setText(button ? button->text() : kSeparator);
    if (button)
        item->setIcon(button->icon());
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(button)));
}

QAction* buttonOf(const QListWidgetItem* item) {
    return qobject_cast<QAction*>(item->data(Qt::UserRole).value<QObject*>());
}

} // namespace

ToolbarCustomizeDialog::ToolbarCustomizeDialog(QToolBar* toolbar, QList<QAction*> buttons,
                                               QWidget* parent)
    : QDialog(parent), toolbar_(toolbar), buttons_(std::move(buttons)),
      available_(new QListWidget(this)), current_(new QListWidget(this)),
      add_(new QPushButton(QStringLiteral("追加(&A) ->"), this)),
      remove_(new QPushButton(QStringLiteral("<- 削除(&R)"), this)),
      moveUp_(new QPushButton(QStringLiteral("上へ移動(&U)"), this)),
      moveDown_(new QPushButton(QStringLiteral("下へ移動(&D)"), this)) {
    setObjectName(QStringLiteral("ToolbarCustomizeDialog"));
    setWindowTitle(QStringLiteral("ツールバーのカスタマイズ"));
    available_->setObjectName(QStringLiteral("available"));
    current_->setObjectName(QStringLiteral("current"));
    available_->setIconSize(QSize(16, 16));
    current_->setIconSize(QSize(16, 16));
    add_->setObjectName(QStringLiteral("add"));
    remove_->setObjectName(QStringLiteral("remove"));
    moveUp_->setObjectName(QStringLiteral("moveUp"));
    moveDown_->setObjectName(QStringLiteral("moveDown"));
    auto* reset = new QPushButton(QStringLiteral("リセット(&E)"), this);
    reset->setObjectName(QStringLiteral("reset"));
    auto* close = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);

    auto* availableLabel = new QLabel(QStringLiteral("利用できるボタン(&V):"), this);
    availableLabel->setBuddy(available_);
    auto* currentLabel = new QLabel(QStringLiteral("現在のボタン(&T):"), this);
    currentLabel->setBuddy(current_);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add_);
    middle->addWidget(remove_);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(close);
    right->addWidget(reset);
    right->addSpacing(16);
    right->addWidget(moveUp_);
    right->addWidget(moveDown_);
    right->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(available_, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(current_, 1, 2);
    grid->addLayout(right, 1, 3);

    connect(add_, &QPushButton::clicked, this, &ToolbarCustomizeDialog::add);
    connect(remove_, &QPushButton::clicked, this, &ToolbarCustomizeDialog::remove);
    connect(moveUp_, &QPushButton::clicked, this, [this] { move(-1); });
    connect(moveDown_, &QPushButton::clicked, this, [this] { move(+1); });
    connect(reset, &QPushButton::clicked, this, [this] { arrange(buttons_, 0); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(available_, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::add);
    connect(current_, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::remove);
    connect(available_, &QListWidget::currentRowChanged, this,
            &ToolbarCustomizeDialog::updateButtons);
    connect(current_, &QListWidget::currentRowChanged, this,
            &ToolbarCustomizeDialog::updateButtons);

    refresh(0);
}

QList<QAction*> ToolbarCustomizeDialog::arrangement() const {
    QList<QAction*> items;
    for (QAction* action : toolbar_->actions())
        items.append(action->isSeparator() ? nullptr : action);
    return items;
}

void ToolbarCustomizeDialog::arrange(const QList<QAction*>& items, int selectRow) {
    for (QAction* action : toolbar_->actions()) {
        toolbar_->removeAction(action);
        if (action->isSeparator())
            delete action; // made by addSeparator() and owned by the toolbar
    }
    for (QAction* item : items) {
        if (item)
            toolbar_->addAction(item);
        else
            toolbar_->addSeparator();
    }
    refresh(selectRow);
}

// Fills both lists from the toolbar: the separator is always available, a button only while it
// is not on the toolbar.
void ToolbarCustomizeDialog::refresh(int selectRow) {
    const QList<QAction*> items = arrangement();
    const int availableRow = qMax(available_->currentRow(), 0);
    available_->clear();
    addItem(available_, nullptr);
    for (QAction* button : buttons_) {
        if (!items.contains(button))
            addItem(available_, button);
    }
    current_->clear();
    for (QAction* item : items)
        addItem(current_, item);
    available_->setCurrentRow(qMin(availableRow, available_->count() - 1));
    current_->setCurrentRow(qMin(selectRow, current_->count() - 1));
    updateButtons();
}

void ToolbarCustomizeDialog::updateButtons() {
    const int row = current_->currentRow();
    add_->setEnabled(available_->currentItem() != nullptr);
    remove_->setEnabled(row >= 0);
    moveUp_->setEnabled(row > 0);
    moveDown_->setEnabled(row >= 0 && row < current_->count() - 1);
}

// Puts the chosen available item in front of the chosen current one, or at the end.
void ToolbarCustomizeDialog::add() {
    const QListWidgetItem* chosen = available_->currentItem();
    if (!chosen)
        return;
    QList<QAction*> items = arrangement();
    const int row = current_->currentRow() >= 0 ? current_->currentRow() : items.size();
    items.insert(row, buttonOf(chosen));
    arrange(items, row);
}

void ToolbarCustomizeDialog::remove() {
    const int row = current_->currentRow();
    if (row < 0)
        return;
    QList<QAction*> items = arrangement();
    items.removeAt(row);
    arrange(items, row);
}

void ToolbarCustomizeDialog::move(int by) {
    const int row = current_->currentRow();
    QList<QAction*> items = arrangement();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= items.size())
        return;
    items.swapItemsAt(row, to);
    arrange(items, to);
}

} // namespace mivo
