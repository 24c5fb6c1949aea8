#include "app/print_command.h"

#include "app/print_service.h"
#include "document/current_document.h"
#include "forms/prompts.h"

namespace mivo {

void printDocument(QWidget* parent, const CurrentDocument& document, PrintService& service,
                   Prompts& prompts) {
    const PrintOutcome printed = service.send(Destination::defaultPrinter(), document);
    if (!printed.failed())
        return;

    const QString failure = QStringLiteral("印刷できませんでした。\n%1").arg(printed.reason);
    if (service.hasPrinter()) {
        prompts.warn(parent, failure);
        return;
    }
    if (!prompts.ask(parent,
                     failure + QStringLiteral("\n\n代わりに PDF ファイルとして保存しますか？")))
        return;
    const QString path = prompts.pdfSavePath(parent, document.title() + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    const PrintOutcome saved = service.send(Destination::pdf(path), document);
    if (saved.failed()) {
        const QString notSaved = QStringLiteral("PDF ファイルを保存できませんでした。\n%1\n"
                                                "保存先を変えてもう一度印刷してください。");
        prompts.warn(parent, notSaved.arg(saved.reason));
    }
}

} // namespace mivo
