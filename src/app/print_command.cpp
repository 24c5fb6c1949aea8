#include "app/print_command.h"

#include "app/print_checks.h"
#include "app/print_service.h"
#include "document/current_document.h"
#include "forms/prompts.h"

namespace mivo {

QString printDocument(QWidget* parent, const CurrentDocument& document, PrintService& service,
                      Prompts& prompts) {
    if (!document.isOpen())
        return {};
    const CurrentDocument* const pages[] = {&document};
    if (!goAheadAfterChecks(parent, prompts, pages))
        return {};
    const std::optional<PrinterState> state =
        service.hasPrinter() ? service.printerState() : std::nullopt;
    if (state && !state->accepting) {
        prompts.warn(parent, QStringLiteral("プリンタ %1 は印刷を受け付けない設定になっています。"
                                            "プリンタの設定で受け付けるようにしてから、もう一度"
                                            "印刷してください。")
                                 .arg(state->name));
        return {};
    }
    if (state && state->stopped &&
        !prompts.ask(parent,
                     QStringLiteral("プリンタ %1 は停止しています。送った書類は、プリンタが"
                                    "再開されるまで印刷されません。\n\nこのまま送りますか？")
                         .arg(state->name)))
        return {};

    const PrintOutcome printed = service.send(Destination::defaultPrinter(), document);
    if (printed.status == PrintOutcome::Status::Printed) {
        if (printed.printer.isEmpty())
            return {};
        return state && state->stopped
                   ? QStringLiteral("%1 に送りました（停止中のため、再開されると印刷されます）。")
                         .arg(printed.printer)
                   : QStringLiteral("%1 に送りました。").arg(printed.printer);
    }
    if (!printed.failed())
        return {};

    const QString failure = QStringLiteral("印刷できませんでした。\n%1").arg(printed.reason);
    if (service.hasPrinter()) {
        prompts.warn(parent, failure);
        return {};
    }
    if (!prompts.ask(parent,
                     failure + QStringLiteral("\n\n代わりに PDF ファイルとして保存しますか？")))
        return {};
    const QString path = prompts.pdfSavePath(parent, document.title() + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return {};
    const PrintOutcome saved = service.send(Destination::pdf(path), document);
    if (saved.failed()) {
        const QString notSaved = QStringLiteral("PDF ファイルを保存できませんでした。\n%1\n"
                                                "保存先を変えてもう一度印刷してください。");
        prompts.warn(parent, notSaved.arg(saved.reason));
        return {};
    }
    return QStringLiteral("%1 に保存しました。").arg(path);
}

} // namespace mivo
