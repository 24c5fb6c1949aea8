#include "app/case_list_dialog.h"

#include "cases/case_keeper.h"
#include "forms/prompts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mivo {
namespace {

enum Column { Name, Changed, Documents };

constexpr int kIdRole = Qt::UserRole;

// Up, Down and the page keys typed into the search box move through the list.
class ListKeys : public QObject {
  public:
    ListKeys(QTreeWidget* list, QObject* parent) : QObject(parent), list_(list) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(list_, event);
            return true;
        default:
            return false;
        }
    }

  private:
    QTreeWidget* list_;
};

} // namespace

CaseListDialog::CaseListDialog(CaseKeeper& keeper, Prompts& prompts, QWidget* parent)
    : QDialog(parent), keeper_(keeper), prompts_(prompts), search_(new QLineEdit(this)),
      list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("CaseListDialog"));
    setWindowTitle(QStringLiteral("案件を開く"));
    resize(720, 440);

    search_->setObjectName(QStringLiteral("search"));
    search_->setPlaceholderText(QStringLiteral("名前、住所、登録番号、車台番号など"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(new ListKeys(list_, this));
    auto* searchLabel = new QLabel(QStringLiteral("検索(&S):"), this);
    searchLabel->setBuddy(search_);

    list_->setObjectName(QStringLiteral("cases"));
    list_->setHeaderLabels(
        {QStringLiteral("案件"), QStringLiteral("最終変更"), QStringLiteral("入力のある書類")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setEditTriggers(QAbstractItemView::EditKeyPressed);
    list_->header()->setSectionResizeMode(Name, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(Changed, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(Documents, QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    open_ = buttons->addButton(QStringLiteral("開く(&O)"), QDialogButtonBox::AcceptRole);
    rename_ = buttons->addButton(QStringLiteral("名前の変更(&M)"), QDialogButtonBox::ActionRole);
    duplicate_ = buttons->addButton(QStringLiteral("複製(&C)"), QDialogButtonBox::ActionRole);
    remove_ = buttons->addButton(QStringLiteral("削除(&D)"), QDialogButtonBox::ActionRole);
    open_->setObjectName(QStringLiteral("open"));
    rename_->setObjectName(QStringLiteral("rename"));
    duplicate_->setObjectName(QStringLiteral("duplicate"));
    remove_->setObjectName(QStringLiteral("remove"));
    // Enter in the search box opens the case chosen in the list.
    open_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_);
    layout->addLayout(searchRow);
    layout->addWidget(list_);
    layout->addWidget(buttons);

    connect(search_, &QLineEdit::textChanged, this, &CaseListDialog::search);
    connect(&keeper_, &CaseKeeper::listed, this, &CaseListDialog::showList);
    connect(&keeper_, &CaseKeeper::casesChanged, this, &CaseListDialog::search);
    connect(list_, &QTreeWidget::currentItemChanged, this, &CaseListDialog::updateButtons);
    connect(list_, &QTreeWidget::itemActivated, this, &CaseListDialog::openSelected);
    connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (filling_ || column != Name)
            return;
        if (item->text(Name).trimmed().isEmpty())
            search(); // a case keeps a name: the old one comes back
        else
            keeper_.rename(item->data(Name, kIdRole).toLongLong(), item->text(Name));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, &CaseListDialog::openSelected);
    connect(rename_, &QPushButton::clicked, this, &CaseListDialog::renameSelected);
    connect(duplicate_, &QPushButton::clicked, this, [this] { keeper_.duplicate(selectedId()); });
    connect(remove_, &QPushButton::clicked, this, &CaseListDialog::removeSelected);
    connect(new QShortcut(QKeySequence::Delete, list_, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, &CaseListDialog::removeSelected);

    updateButtons();
    search();
}

void CaseListDialog::search() { keeper_.requestList(search_->text()); }

// Answers to earlier keystrokes are dropped: only the list for what the box says is shown.
void CaseListDialog::showList(const QString& search, const QList<CaseSummary>& cases) {
    if (search != search_->text())
        return;
    const qint64 selected = selectedId();
    filling_ = true;
    list_->clear();
    QTreeWidgetItem* current = nullptr;
    for (const CaseSummary& c : cases) {
        auto* item = new QTreeWidgetItem(
            list_, {c.name, c.changed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                    c.documents.join(u'、')});
        item->setData(Name, kIdRole, c.id);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        if (c.id == selected || !current)
            current = item;
    }
    list_->setCurrentItem(current);
    filling_ = false;
    updateButtons();
}

qint64 CaseListDialog::selectedId() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(Name, kIdRole).toLongLong() : 0;
}

void CaseListDialog::updateButtons() {
    const bool chosen = selectedId() != 0;
    for (QPushButton* button : {open_, rename_, duplicate_, remove_})
        button->setEnabled(chosen);
}

void CaseListDialog::openSelected() {
    const qint64 id = selectedId();
    if (id == 0)
        return;
    keeper_.openCase(id);
    accept();
}

void CaseListDialog::renameSelected() {
    if (QTreeWidgetItem* item = list_->currentItem())
        list_->editItem(item, Name);
}

void CaseListDialog::removeSelected() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item)
        return;
    if (prompts_.ask(this,
                     QStringLiteral("案件「%1」を削除しますか？削除した案件は元に戻せません。")
                         .arg(item->text(Name))))
        keeper_.remove(item->data(Name, kIdRole).toLongLong());
}

} // namespace mivo
