// mivo-render: documents as a PDF, a PNG, a printed job or a trace, without the windows.

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_catalogue.h"
#include "document/file_output.h"
#include "document/location_marks.h"
#include "mivo_version.h"
#include "particulars/particulars.h"
#include "print/dispatch.h"
#include "print/output.h"
#include "print/recording_surface.h"
#include "programs/qt_texts.h"
#include "render/argument_text.h"
#include "render/render_batch.h"
#include "render/render_findings.h"
#include "render/render_input.h"
#include "render/render_options.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

#include <unistd.h>

using namespace mivo;

namespace {

// Each document with its alias, then each of its fields: the index, the caption beside the
// box on screen and the block of the form it belongs to.
void list() {
    for (const DocumentInfo& info : documents()) {
        say(stdout, QStringLiteral("%1\t%2").arg(info.title, QLatin1String(info.alias)));
        if (info.kind == DocumentKind::LayoutDrawing) {
            say(stdout, QStringLiteral(
                            "\t--left-map\t所　在　図　記　載　欄\t地図の画像ファイル\n"
                            "\t--right-map\t配　置　図　記　載　欄\t地図の画像ファイル\n"
                            "\t--layout\t配　置　図　記　載　欄\t描いた配置図のファイル（JSON）\n"
                            "\t--number\t登録番号\t自動車の登録番号\n"
                            "\t--location\t所　在　図　記　載　欄\t地図と二つの位置、距離の JSON"));
        }
        for (int index = info.fields.first; index <= info.fields.last(); ++index) {
            const auto field = std::ranges::find(fieldCatalogue(), index, &FieldInfo::index);
            say(stdout,
                QStringLiteral("\t%1\t%2\t%3")
                    .arg(index)
                    .arg(QString::fromUtf16(field->label), QString::fromUtf16(field->block)));
        }
    }
}

// The documents, one page each, on the output the options choose.
PrintOutcome render(const RenderOptions& options, CurrentDocument& document,
                    const QStringList& titles) {
    if (options.output == RenderOptions::Output::Trace) {
        RecordingSurface surface;
        PrintOutcome outcome;
        for (const QString& title : titles) {
            document.setTitle(title);
            if (outcome = insatu(surface, document); outcome.failed())
                break;
        }
        if (outcome.failed())
            return outcome;
        // Unbuffered, so that a full disk or a closed pipe is reported, not lost in stdio.
        if (const QString error =
                writeAll(STDOUT_FILENO, surface.toJsonLines(), QStringLiteral("標準出力"));
            !error.isEmpty())
            return {PrintOutcome::Status::Failed, error};
        return outcome;
    }
    Output out(destinationFor(options, options.outputPath));
    for (const QString& title : titles) {
        document.setTitle(title);
        if (const PrintOutcome page = out.add(document); page.failed())
            return page;
    }
    return out.finish();
}

} // namespace

int main(int argc, char* argv[]) {
    // The renderer opens no window; it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
    installJapaneseQtTexts(app);

    // argv as QGuiApplication left it, without Qt's own options; names keep their bytes.
    const ParsedOptions parsed = parseRenderOptions(argumentTexts(argc, argv));
    if (!parsed.error.isEmpty()) {
        say(stderr, parsed.error);
        return 2;
    }
    const RenderOptions& options = parsed.options;
    if (options.output == RenderOptions::Output::List) {
        list();
        return 0;
    }

    if (!options.batch.isEmpty())
        return runBatch(options);

    CurrentDocument document;
    QStringList titles;
    for (const DocumentInfo* info : options.documents)
        titles << info->title;
    Particulars particulars;
    if (!options.caseRef.isEmpty() && !loadCase(options, document, titles, &particulars))
        return 2;
    if (options.allOfCase) {
        QList<const DocumentInfo*> chosen;
        for (const QString& title : titles)
            chosen << findDocument(title);
        if (const QString error = checkIndices(chosen, options.values); !error.isEmpty()) {
            say(stderr, error);
            return 2;
        }
    }
    for (auto it = options.values.begin(); it != options.values.end(); ++it)
        document.fields().setValue(it.key(), it.value());
    if (!loadMaps(options, document.drawing(), options.caseRef.isEmpty() ? nullptr : &particulars))
        return 2;
    // The parking place over 2 km away: said, and printed all the same.
    if (const QString tooFar = tooFarText(document.drawing().location);
        !tooFar.isEmpty() && titles.contains(titleOf(DocumentKind::LayoutDrawing)))
        say(stderr, QStringLiteral("%1: %2。").arg(titleOf(DocumentKind::LayoutDrawing), tooFar));
    // Said before anything is made; with --strict a doubtful value makes nothing.
    bool refused = false;
    for (const QString& title : titles) {
        document.setTitle(title);
        refused = reportFindings(document) || refused;
    }
    if (refused && options.strict) {
        say(stderr, QStringLiteral(
                        "--strict: 疑わしい値、欄に入りきらない値か配置図に足りないものがあるため、"
                        "出力しませんでした。"));
        return 1;
    }

    const PrintOutcome outcome = render(options, document, titles);
    if (outcome.status != PrintOutcome::Status::Printed) {
        say(stderr,
            outcome.reason.isEmpty() ? QStringLiteral("印刷できませんでした。") : outcome.reason);
        return 1;
    }
    return 0;
}
