#include "app/output_commands.h"

#include "app/named_action.h"
#include "app/preview_window.h"
#include "app/print_checks.h"
#include "app/print_command.h"
#include "app/print_service.h"
#include "cases/case_document.h"
#include "cases/case_documents.h"
#include "cases/case_keeper.h"
#include "document/current_document.h"
#include "forms/prompts.h"

#include <QAction>
#include <QDate>
#include <QRegularExpression>
#include <QWidget>

#include <memory>
#include <vector>

namespace mivo {
namespace {

// A name a file system takes: no folder separators or control characters.
QString fileNamePart(QString text) {
    static const QRegularExpression unfit(QStringLiteral("[/\\\\\\p{Cc}]"));
    return text.replace(unfit, QStringLiteral("_")).trimmed();
}

} // namespace

OutputCommands::OutputCommands(QWidget* window, CurrentDocument& document,
                               std::function<PrintService&()> service, Prompts& prompts,
                               CaseKeeper& keeper)
    : QObject(window), window_(window), document_(document), service_(std::move(service)),
      prompts_(prompts), keeper_(keeper),
      preview_(namedAction(this, "mnuPreview", QStringLiteral("印刷プレビュー(&V)"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P))),
      saveAsPdf_(namedAction(this, "mnuSavePdf", QStringLiteral("PDFとして保存(&D)..."),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S))),
      saveAsImage_(namedAction(this, "mnuSaveImage", QStringLiteral("画像として保存(&G)..."))),
      printTo_(namedAction(this, "mnuPrintTo", QStringLiteral("印刷(&R)..."))),
      printCase_(namedAction(this, "mnuPrintCase", QStringLiteral("案件の書類をまとめて(&M)..."))),
      checkFirst_(namedAction(this, "mnuCheckFirst", QStringLiteral("印刷の前に確かめる(&H)"))) {
    // The list before printing: turned off from the list itself, on again here.
    checkFirst_->setCheckable(true);
    checkFirst_->setChecked(checkingBeforePrinting());
    connect(checkFirst_, &QAction::toggled, this, &setCheckingBeforePrinting);
    preview_->setIcon(QIcon(QStringLiteral(":/icons/preview.svg")));
    connect(preview_, &QAction::triggered, this, &OutputCommands::showPreview);
    connect(saveAsPdf_, &QAction::triggered, this, &OutputCommands::savePdf);
    connect(saveAsImage_, &QAction::triggered, this, &OutputCommands::saveImage);
    connect(printTo_, &QAction::triggered, this, &OutputCommands::printWithDialog);
    connect(printCase_, &QAction::triggered, this, &OutputCommands::sendCase);
    // The open document's commands act only on an open document, their shortcuts included.
    const auto follow = [this] {
        for (QAction* action : {preview_, saveAsPdf_, saveAsImage_, printTo_})
            action->setEnabled(document_.isOpen());
    };
    connect(&document_, &CurrentDocument::titleChanged, this, follow);
    follow();
}

PreviewWindow* OutputCommands::previewWindow() const { return previewWindow_; }

void OutputCommands::drawingChanged() {
    if (previewWindow_)
        previewWindow_->documentChanged();
}

QString OutputCommands::proposedName(const QString& title) const {
    QStringList parts{title};
    if (keeper_.currentCaseId() != 0 && !keeper_.currentCaseName().isEmpty())
        parts << fileNamePart(keeper_.currentCaseName());
    return datedName(parts);
}

QString OutputCommands::datedName(QStringList parts) {
    // A case named automatically already ends with its date.
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    if (!parts.last().contains(today))
        parts << today;
    return parts.join(u'_');
}

void OutputCommands::warnIfFailed(const QString& what, const QString& reason) const {
    prompts_.warn(window_, QStringLiteral("%1\n%2").arg(what, reason));
}

void OutputCommands::showPreview() {
    if (!document_.isOpen())
        return;
    if (!previewWindow_) {
        previewWindow_ = new PreviewWindow(document_, window_);
        connect(previewWindow_, &PreviewWindow::printRequested, this,
                &OutputCommands::printFromPreview);
    }
    previewWindow_->show();
    previewWindow_->raise();
    previewWindow_->activateWindow();
}

// As the main window's 印刷: the default printer, and a PDF offered when there is none.
void OutputCommands::printFromPreview() {
    if (!printDocument(previewWindow_, document_, service_(), prompts_).isEmpty())
        emit printed({document_.title()});
}

void OutputCommands::savePdf() {
    if (!document_.isOpen())
        return;
    const CurrentDocument* const pages[] = {&document_};
    if (!goAheadAfterChecks(window_, prompts_, pages))
        return;
    const QString path =
        prompts_.pdfSavePath(window_, proposedName(document_.title()) + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    const PrintOutcome saved = service_().send(Destination::pdf(path), document_);
    if (saved.failed()) {
        warnIfFailed(QStringLiteral("PDF ファイルを保存できませんでした。"), saved.reason);
        return;
    }
    emit savedTo(path);
    emit printed({document_.title()});
}

void OutputCommands::saveImage() {
    if (!document_.isOpen())
        return;
    const ImageChoice choice = prompts_.imageSavePath(window_, proposedName(document_.title()));
    if (choice.path.isEmpty())
        return;
    const PrintOutcome saved = service_().send(
        Destination::image(QFile::encodeName(choice.path), choice.format, choice.dpi), document_);
    if (saved.failed())
        warnIfFailed(QStringLiteral("画像を保存できませんでした。"), saved.reason);
    else
        emit savedTo(choice.path);
}

void OutputCommands::printWithDialog() {
    if (!document_.isOpen())
        return;
    const CurrentDocument* const pages[] = {&document_};
    if (!goAheadAfterChecks(window_, prompts_, pages))
        return;
    const std::optional<PrinterChoice> choice = prompts_.choosePrinter(window_);
    if (!choice)
        return;
    const PrintOutcome printed =
        service_().send(Destination::namedPrinter(choice->printer, choice->copies), document_);
    if (printed.failed())
        warnIfFailed(QStringLiteral("印刷できませんでした。"), printed.reason);
    else
        emit this->printed({document_.title()});
}

// The case as stored, not the open form: each chosen document drawn from its stored values.
// The keeper's thread stores what was typed last and reads the case back: the window never
// waits on the store.
void OutputCommands::sendCase() {
    if (keeper_.currentCaseId() == 0) {
        prompts_.warn(window_, QStringLiteral("案件が選ばれていません。案件を開いてからもう一度"
                                              "選んでください。"));
        return;
    }
    printCase_->setEnabled(false); // one case at a time
    keeper_.readStoredCase(this, [this](const Case& c, const QString& error) {
        printCase_->setEnabled(true);
        sendStoredCase(c, error);
    });
}

void OutputCommands::sendStoredCase(const Case& c, const QString& error) {
    if (c.id == 0) {
        warnIfFailed(QStringLiteral("案件を読めませんでした。"), error);
        return;
    }
    const QStringList titles = documentsWithValues(c);
    if (titles.isEmpty()) {
        prompts_.warn(window_, QStringLiteral("この案件には値の入った書類がありません。"));
        return;
    }
    const std::optional<CaseDocumentsChoice> choice = prompts_.chooseCaseDocuments(window_, titles);
    if (!choice || choice->titles.isEmpty())
        return;
    const CaseMaps maps = decodeMaps(c);
    if (!maps.error.isEmpty()) {
        warnIfFailed(QStringLiteral("案件の地図を読めませんでした。"), maps.error);
        return;
    }
    std::vector<std::unique_ptr<CurrentDocument>> pages;
    std::vector<const CurrentDocument*> order;
    for (const QString& title : choice->titles) {
        pages.push_back(std::make_unique<CurrentDocument>());
        pages.back()->setTitle(title);
        fillDocument(c, maps, *pages.back());
        order.push_back(pages.back().get());
    }
    if (!goAheadAfterChecks(window_, prompts_, order))
        return;
    Destination destination = Destination::defaultPrinter();
    if (choice->toPdf) {
        const QString path = prompts_.pdfSavePath(window_, datedName({fileNamePart(c.name)}) +
                                                               QStringLiteral(".pdf"));
        if (path.isEmpty())
            return;
        destination = Destination::pdf(path);
    }
    const PrintOutcome sent = service_().send(destination, order);
    if (sent.failed()) {
        warnIfFailed(choice->toPdf ? QStringLiteral("PDF ファイルを保存できませんでした。")
                                   : QStringLiteral("印刷できませんでした。"),
                     sent.reason);
        return;
    }
    if (choice->toPdf)
        emit savedTo(QFile::decodeName(destination.path));
    emit printed(choice->titles);
}

} // namespace mivo
