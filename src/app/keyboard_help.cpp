#include "app/keyboard_help.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mivo {
namespace {

// The keys of windows and boxes that have no menu: where, what, which keys.
struct Key {
    const char16_t* where;
    const char16_t* what;
    const char16_t* keys;
};
constexpr Key kOtherKeys[] = {
    {u"ファイル", u"最近の案件を開く", u"Alt+F, 1〜8"},
    {u"書類の入力欄", u"今日の日付を入れる", u"Ctrl+;"},
    {u"書類の入力欄", u"次の欄・前の欄", u"Tab / Shift+Tab"},
    {u"新規書類", u"書類のボタンを選ぶ", u"Tab / Shift+Tab"},
    {u"新規書類", u"選んだ書類を開く", u"Enter / Space"},
    {u"新規書類", u"キャンセル", u"Esc"},
    {u"印刷プレビュー", u"印刷", u"Alt+P"},
    {u"印刷プレビュー", u"ページ全体・幅に合わせる・100%", u"Alt+A / Alt+W / Alt+1"},
    {u"印刷プレビュー", u"閉じる", u"Esc / Alt+C"},
    {u"案件を開く", u"検索", u"Alt+S"},
    {u"案件を開く", u"一覧を上下する", u"↑ / ↓ / PageUp / PageDown"},
    {u"案件を開く", u"開く", u"Enter / Alt+O"},
    {u"案件を開く", u"名前の変更", u"F2 / Alt+M"},
    {u"案件を開く", u"削除（ごみ箱へ）", u"Delete / Alt+D"},
    {u"案件を開く", u"ごみ箱を見る", u"Alt+T"},
    {u"案件の基本情報", u"閉じる", u"Esc"},
};

// A menu text as the user reads it: without its access key and dots.
QString plain(QString text) {
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&"));
    return text.remove(accessKey)
        .remove(QStringLiteral("…"))
        .remove(QStringLiteral("..."))
        .trimmed();
}

void addMenu(QTreeWidget& list, const QMenu& menu) {
    for (const QAction* action : menu.actions()) {
        if (action->menu())
            addMenu(list, *action->menu());
        if (action->shortcut().isEmpty())
            continue;
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts())
            keys << key.toString(QKeySequence::NativeText);
        new QTreeWidgetItem(&list, {plain(menu.title()), plain(action->text()), keys.join(" / ")});
    }
}

} // namespace

void showKeyboardHelp(const QMenuBar& menus, QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("keyboardHelp"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("キーボード操作"));
    auto* list = new QTreeWidget(dialog);
    list->setObjectName(QStringLiteral("keys"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("場所"), QStringLiteral("操作"), QStringLiteral("キー")});
    for (const QAction* action : menus.actions()) {
        if (action->menu())
            addMenu(*list, *action->menu());
    }
    for (const Key& key : kOtherKeys)
        new QTreeWidgetItem(list, {QString::fromUtf16(key.where), QString::fromUtf16(key.what),
                                   QString::fromUtf16(key.keys)});
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog->resize(560, 520);
    dialog->open();
}

} // namespace mivo
