#include "app/particulars_commands.h"

#include "app/named_action.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "forms/particulars_window.h"
#include "forms/prompts.h"
#include "particulars/case_particulars.h"
#include "particulars/certificate_import.h"
#include "particulars/fill_rules.h"
#include "particulars/fill_table.h"

#include <QAction>

#include <algorithm>

namespace mivo {
namespace {

// The document open in the data-entry form, or nullptr (none, or the layout drawing).
const DocumentInfo* openTextDocument(const CurrentDocument& document) {
    const DocumentInfo* open = findDocument(document.title());
    return open && !open->fields.isEmpty() ? open : nullptr;
}

} // namespace

ParticularsCommands::ParticularsCommands(QWidget* window, CurrentDocument& document,
                                         CaseParticulars& particulars, Prompts& prompts)
    : QObject(window), window_(window), document_(document), particulars_(particulars),
      prompts_(prompts) {
    show_ = namedAction(this, "mnuParticulars", QStringLiteral("案件の基本情報(&B)…"));
    show_->setShortcut(Qt::CTRL | Qt::Key_B);
    connect(show_, &QAction::triggered, this, &ParticularsCommands::showWindow);

    import_ =
        namedAction(this, "mnuImportCertificate", QStringLiteral("車検証データを読み込む(&I)…"));
    connect(import_, &QAction::triggered, this, &ParticularsCommands::importCertificate);

    refill_ = namedAction(this, "mnuRefill", QStringLiteral("基本情報から入力し直す(&E)"));
    refill_->setEnabled(false);
    connect(refill_, &QAction::triggered, this, &ParticularsCommands::refill);
    connect(&document_, &CurrentDocument::titleChanged, refill_,
            [this] { refill_->setEnabled(openTextDocument(document_) != nullptr); });

    const QString key = QStringLiteral("基本情報");
    button_ = new QAction(QIcon(QStringLiteral(":/icons/particulars.svg")), key, this);
    button_->setObjectName(key);
    connect(button_, &QAction::triggered, this, &ParticularsCommands::showWindow);
}

void ParticularsCommands::showWindow() {
    if (!particularsWindow_) {
        particularsWindow_ = new ParticularsWindow(particulars_, prompts_, window_);
        particularsWindow_->setAttribute(Qt::WA_DeleteOnClose);
        particularsWindow_->addActions(windowActions_);
    }
    particularsWindow_->show();
    particularsWindow_->raise();
    particularsWindow_->activateWindow();
}

// The export's values go into the particulars that are still empty; where the case holds
// another chassis number, registration number or name, the user chooses which stays. The user
// is told what came, what the certificate withholds, and what was left as it was.
void ParticularsCommands::importCertificate() {
    const QString path = prompts_.openFileName(
        window_, QStringLiteral("車検証閲覧アプリの JSON ファイル|*.json|すべてのファイル|*"));
    if (path.isEmpty())
        return;
    const std::optional<int> whose =
        prompts_.choose(window_, QStringLiteral("だれの車検証ですか？"),
                        {QStringLiteral("この登録の後の所有者・使用者のもの"),
                         QStringLiteral("売り手（譲渡人）のもの（名義変更の前の車検証）")});
    if (!whose)
        return;
    const CertificateImport imported =
        mivo::importCertificate(path, *whose == 1 ? CertificateOf::Seller : CertificateOf::Buyer);
    if (!imported.ok()) {
        prompts_.warn(window_, imported.error);
        return;
    }
    Particulars merged = particulars_.particulars();
    QList<Particular> taken;
    for (Particular particular : imported.conflicts(merged)) {
        const std::optional<int> choice = prompts_.choose(
            window_,
            imported.conflictText(merged, particular) + QStringLiteral("\nどちらにしますか？"),
            {QStringLiteral("案件の値のまま"), QStringLiteral("車検証の値にする")});
        if (choice == 1)
            taken.append(particular);
    }
    const QList<Particular> kept = imported.mergeInto(merged, taken);
    particulars_.set(merged);
    prompts_.inform(window_, imported.summary(kept, taken));
}

// Goes over typed values, so it asks first when a box of a particular holds something else.
void ParticularsCommands::refill() {
    const DocumentInfo* open = openTextDocument(document_);
    if (!open)
        return;
    const QList<int> matching =
        fieldsFromParticulars(particulars_.particulars(), document_.fields());
    const bool typed = std::ranges::any_of(fillTable(), [&](const FieldFill& row) {
        return open->fields.contains(row.field) && !document_.fields().value(row.field).isEmpty() &&
               !matching.contains(row.field);
    });
    if (typed && !prompts_.ask(window_, QStringLiteral("入力済みの欄も基本情報の値に置き換えます。"
                                                       "よろしいですか？")))
        return;
    refillFields(particulars_.particulars(), document_.fields(), open->fields);
}

} // namespace mivo
