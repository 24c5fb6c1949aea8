#include "app/case_list_dialog.h"

#include "cases/case_keeper.h"
#include "cases/case_store.h"
#include "forms/prompts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mivo {
namespace {

enum Column { Name, Changed, Documents, Matched };

constexpr int kIdRole = Qt::UserRole;
constexpr int kHighlightRole = Qt::UserRole + 1; // the matched value as rich text

// The value that matched, its matching part highlighted.
QString highlighted(const CaseSummary& c) {
    const QString before = c.matched.left(c.matchedStart).toHtmlEscaped();
    const QString match = c.matched.mid(c.matchedStart, c.matchedLength).toHtmlEscaped();
    const QString after = c.matched.mid(c.matchedStart + c.matchedLength).toHtmlEscaped();
    return QStringLiteral("%1<span style=\"background-color:#ffe066\">%2</span>%3")
        .arg(before, match, after);
}

// Draws the matched value's rich text in its cell.
class HighlightDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        QTextDocument text;
        text.setDefaultFont(option.font);
        text.setDocumentMargin(0);
        text.setHtml(index.data(kHighlightRole).toString());
        painter->save();
        const QRect area = option.rect.adjusted(3, 0, -3, 0);
        painter->translate(area.left(), area.top() + (area.height() - text.size().height()) / 2);
        painter->setClipRect(QRect(QPoint(), area.size()));
        text.drawContents(painter);
        painter->restore();
    }
};

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
      list_(new QTreeWidget(this)), empty_(new QLabel(this)) {
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
    list_->setHeaderLabels({QStringLiteral("案件"), QStringLiteral("最終変更"),
                            QStringLiteral("入力のある書類"), QStringLiteral("一致した値")});
    list_->setItemDelegateForColumn(Matched, new HighlightDelegate(list_));
    empty_->setObjectName(QStringLiteral("empty"));
    empty_->setAlignment(Qt::AlignCenter);
    empty_->hide();
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setEditTriggers(QAbstractItemView::EditKeyPressed);
    list_->header()->setSectionResizeMode(Name, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(Changed, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(Documents, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(Matched, QHeaderView::Interactive);
    list_->header()->resizeSection(Matched, 200);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    open_ = buttons->addButton(QStringLiteral("開く(&O)"), QDialogButtonBox::AcceptRole);
    rename_ = buttons->addButton(QStringLiteral("名前の変更(&M)"), QDialogButtonBox::ActionRole);
    duplicate_ = buttons->addButton(QStringLiteral("複製(&C)"), QDialogButtonBox::ActionRole);
    remove_ = buttons->addButton(QStringLiteral("削除(&D)"), QDialogButtonBox::ActionRole);
    restore_ = buttons->addButton(QStringLiteral("元に戻す(&R)"), QDialogButtonBox::ActionRole);
    purge_ = buttons->addButton(QStringLiteral("完全に削除(&E)"), QDialogButtonBox::ActionRole);
    trash_ = buttons->addButton(QStringLiteral("ごみ箱(&T)"), QDialogButtonBox::ResetRole);
    trash_->setCheckable(true);
    restore_->hide();
    purge_->hide();
    trash_->setObjectName(QStringLiteral("trash"));
    restore_->setObjectName(QStringLiteral("restore"));
    purge_->setObjectName(QStringLiteral("purge"));
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
    layout->addWidget(empty_);
    layout->addWidget(buttons);

    connect(search_, &QLineEdit::textChanged, this, &CaseListDialog::search);
    connect(&keeper_, &CaseKeeper::listed, this, &CaseListDialog::showList);
    connect(&keeper_, &CaseKeeper::trashListed, this, &CaseListDialog::showTrash);
    connect(trash_, &QPushButton::toggled, this, [this](bool trash) {
        search_->setEnabled(!trash);
        list_->headerItem()->setText(Changed, trash ? QStringLiteral("削除した日時")
                                                    : QStringLiteral("最終変更"));
        for (QPushButton* button : {open_, rename_, duplicate_, remove_})
            button->setVisible(!trash);
        restore_->setVisible(trash);
        purge_->setVisible(trash);
        search();
    });
    connect(restore_, &QPushButton::clicked, this, [this] { keeper_.restore(selectedId()); });
    connect(purge_, &QPushButton::clicked, this, &CaseListDialog::purgeSelected);
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

void CaseListDialog::search() {
    if (trash_->isChecked())
        keeper_.requestTrash();
    else
        keeper_.requestList(search_->text());
}

// Answers to earlier keystrokes are dropped: only the list for what the box says is shown.
void CaseListDialog::showList(const QString& search, const QList<CaseSummary>& cases) {
    if (search != search_->text() || trash_->isChecked())
        return;
    list_->setColumnHidden(Matched, search.trimmed().isEmpty());
    empty_->setText(search.trimmed().isEmpty() ? QStringLiteral("案件はまだありません。")
                                               : QStringLiteral("見つかりません"));
    fill(cases, false);
}

void CaseListDialog::showTrash(const QList<CaseSummary>& cases) {
    if (!trash_->isChecked())
        return;
    list_->setColumnHidden(Matched, true);
    empty_->setText(QStringLiteral("ごみ箱は空です。削除した案件は %1 日間ここに残ります。")
                        .arg(CaseStore::kTrashDays));
    fill(cases, true);
}

void CaseListDialog::fill(const QList<CaseSummary>& cases, bool trash) {
    const qint64 selected = selectedId();
    filling_ = true;
    list_->clear();
    QTreeWidgetItem* current = nullptr;
    for (const CaseSummary& c : cases) {
        auto* item = new QTreeWidgetItem(list_, {c.name,
                                                 (trash ? c.deleted : c.changed)
                                                     .toLocalTime()
                                                     .toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                                 c.documents.join(u'、'), c.matched});
        item->setData(Name, kIdRole, c.id);
        item->setData(Matched, kHighlightRole, highlighted(c));
        if (!trash)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        if (c.id == selected || !current)
            current = item;
    }
    list_->setCurrentItem(current);
    empty_->setVisible(cases.isEmpty());
    filling_ = false;
    updateButtons();
}

qint64 CaseListDialog::selectedId() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(Name, kIdRole).toLongLong() : 0;
}

void CaseListDialog::updateButtons() {
    const bool chosen = selectedId() != 0;
    for (QPushButton* button : {open_, rename_, duplicate_, remove_, restore_, purge_})
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
    if (trash_->isChecked()) {
        purgeSelected();
        return;
    }
    if (prompts_.confirm(this, QStringLiteral("案件「%1」を削除しますか？削除した案件は %2 日間"
                                              "ごみ箱に残り、そこから元に戻せます。")
                                   .arg(item->text(Name))
                                   .arg(CaseStore::kTrashDays)))
        keeper_.remove(item->data(Name, kIdRole).toLongLong());
}

void CaseListDialog::purgeSelected() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (item && prompts_.confirm(this, QStringLiteral("案件「%1」を完全に削除しますか？完全に"
                                                      "削除した案件は元に戻せません。")
                                           .arg(item->text(Name))))
        keeper_.purge(item->data(Name, kIdRole).toLongLong());
}

} // namespace mivo
