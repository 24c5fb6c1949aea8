#include "app/case_commands.h"

#include "app/case_list_dialog.h"
#include "app/named_action.h"
#include "app/recent_cases.h"
#include "cases/case_database.h"
#include "cases/case_keeper.h"
#include "document/current_document.h"
#include "forms/prompts.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace mivo {
namespace {

// How long Exit waits for the last save before it asks.
constexpr int kExitWaitMs = 3000;

} // namespace

CaseCommands::CaseCommands(QMainWindow& window, CurrentDocument& document, Prompts& prompts,
                           std::function<bool()> closeDocument)
    : window_(window), document_(document), prompts_(prompts),
      closeDocument_(std::move(closeDocument)),
      keeper_(
          std::make_unique<CaseKeeper>(document, CaseDatabase::fromSettings(), keepingEnabled())),
      windowTitle_(window.windowTitle()),
      newCase_(namedAction(&window, "newCase", QStringLiteral("新しい案件(&W)"))),
      openCase_(namedAction(&window, "openCase", QStringLiteral("案件を開く(&O)…"))),
      keep_(namedAction(&window, "keepCases", QStringLiteral("自動で保存する(&K)"))),
      problem_(new QLabel(&window)) {
    recentCases_ = std::make_unique<RecentCases>(keeper_->database().target);
    for (int i = 0; i < RecentCases::kCount; ++i) {
        QAction* action = namedAction(&window, "recentCase", QString());
        connect(action, &QAction::triggered, this, [this, action] {
            if (mayChangeCase())
                keeper_->openCase(action->data().toLongLong());
        });
        recent_ << action;
    }
    reopenLast_ = namedAction(&window, "reopenLast", QStringLiteral("前回の案件で始める(&L)"));
    reopenLast_->setCheckable(true);
    reopenLast_->setChecked(RecentCases::reopenLast());
    connect(reopenLast_, &QAction::toggled, this, &RecentCases::setReopenLast);
    openCase_->setShortcut(QKeySequence::Open);
    keep_->setCheckable(true);
    keep_->setChecked(keeper_->isKeeping());
    connect(newCase_, &QAction::triggered, this, &CaseCommands::newCase);
    connect(openCase_, &QAction::triggered, this, &CaseCommands::openCase);
    connect(keep_, &QAction::toggled, this, &CaseCommands::setKeeping);

    problem_->setObjectName(QStringLiteral("caseProblem"));
    // One line, however long the server's own words: the whole text is its tooltip.
    problem_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    window_.statusBar()->addWidget(problem_, 1);
    connect(keeper_.get(), &CaseKeeper::problem, problem_, [this](const QString& message) {
        problem_->setText(message.simplified());
        problem_->setToolTip(message);
    });
    connect(keeper_.get(), &CaseKeeper::currentCaseChanged, this, &CaseCommands::showCase);
    connect(keeper_.get(), &CaseKeeper::removed, this, [this](qint64 id) {
        recentCases_->forget(id);
        updateRecent();
    });
    connect(keeper_.get(), &CaseKeeper::savedAsCopy, this, [this](qint64, const QString& name) {
        window_.statusBar()->showMessage(
            QStringLiteral("この案件は別の画面か別の席で先に変更されていました。入力は写し「%1」に"
                           "保存しました。")
                .arg(name));
    });
    // A damaged file or a newer database: said once, and the program goes on without keeping.
    connect(keeper_.get(), &CaseKeeper::keepingStopped, this, [this](const QString& message) {
        prompts_.warn(&window_, message);
        updateActions();
    });
    connect(&document_, &CurrentDocument::titleChanged, this, &CaseCommands::updateActions);
    updateActions();
    updateRecent();
}

void CaseCommands::reopenLastCase() {
    const QList<RecentCases::Entry> recent = recentCases_->entries();
    if (keeper_->isKeeping() && RecentCases::reopenLast() && !recent.isEmpty())
        keeper_->openCase(recent.first().id);
}

CaseCommands::~CaseCommands() = default;

QList<QAction*> CaseCommands::actions() const { return {newCase_, openCase_, keep_, reopenLast_}; }

void CaseCommands::fillDocument() { keeper_->fillDocument(); }

void CaseCommands::drawingChanged() { keeper_->drawingChanged(); }

bool CaseCommands::mayClose() {
    if (keeper_->waitUntilSaved(kExitWaitMs))
        return true;
    return prompts_.ask(&window_, QStringLiteral("入力の一部をまだ案件に保存できていません。"
                                                 "いま終了すると、その入力は失われます。"
                                                 "終了しますか？"));
}

void CaseCommands::updateActions() {
    const bool usable = keeper_->isKeeping();
    newCase_->setEnabled(usable);
    openCase_->setEnabled(usable);
    for (QAction* action : recent_)
        action->setEnabled(usable);
}

void CaseCommands::updateRecent() {
    const QList<RecentCases::Entry> entries = recentCases_->entries();
    for (int i = 0; i < recent_.size(); ++i) {
        QAction* action = recent_[i];
        action->setVisible(i < entries.size());
        if (i >= entries.size())
            continue;
        QString name = entries[i].name;
        action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
            name.replace(QStringLiteral("&"), QStringLiteral("&&"))));
        action->setData(entries[i].id);
    }
}

// While a document is open its window holds the case's values: it closes first, if the user
// agrees.
bool CaseCommands::mayChangeCase() { return !document_.isOpen() || closeDocument_(); }

void CaseCommands::newCase() {
    if (newCase_->isEnabled() && mayChangeCase())
        keeper_->startNewCase();
}

void CaseCommands::openCase() {
    if (!openCase_->isEnabled() || !mayChangeCase())
        return;
    auto* dialog = new CaseListDialog(*keeper_, prompts_, &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void CaseCommands::setKeeping(bool keeping) {
    setKeepingEnabled(keeping);
    keeper_->setKeeping(keeping);
    updateActions();
}

void CaseCommands::showCase(qint64 id, const QString& name) {
    if (id != 0) {
        recentCases_->add(id, name);
        updateRecent();
    }
    window_.setWindowTitle(name.isEmpty() ? windowTitle_
                                          : QStringLiteral("%1 - %2").arg(windowTitle_, name));
}

} // namespace mivo
