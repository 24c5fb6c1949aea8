// mivo-render: one document as a PDF, a PNG, a printed page or a trace, without the windows.

#include "cases/case_database.h"
#include "cases/case_document.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_catalogue.h"
#include "document/picture_file.h"
#include "mivo_version.h"
#include "print/dispatch.h"
#include "print/print_job.h"
#include "print/qt_texts.h"
#include "print/recording_surface.h"
#include "render/render_options.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <utility>

using namespace mivo;

namespace {

void say(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (!text.endsWith(u'\n'))
        std::fputc('\n', stream);
}

// Each document with its alias, then each of its fields: the index, the caption beside the
// box on screen and the block of the form it belongs to.
void list() {
    for (const DocumentInfo& info : documents()) {
        say(stdout, QStringLiteral("%1\t%2").arg(info.title, QLatin1String(info.alias)));
        if (info.title == DocumentKind::LayoutDrawing) {
            say(stdout, QStringLiteral("\t--left-map\t所　在　図　記　載　欄\t地図の画像ファイル\n"
                                       "\t--right-map\t配　置　図　記　載　欄\t地図の画像ファイル\n"
                                       "\t--number\t登録番号\t自動車の登録番号"));
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

// Loads the maps of the layout drawing into the document; false after saying why.
bool loadMaps(const RenderOptions& options, LayoutDrawingState& drawing) {
    for (const auto& [path, picture] : {std::pair{options.leftMap, &drawing.locationMap},
                                        {options.rightMap, &drawing.layoutMap}}) {
        if (path.isEmpty())
            continue;
        PictureLoad load = loadPictureFile(path);
        if (!load.ok()) {
            say(stderr, load.error);
            return false;
        }
        *picture = std::move(load.picture);
    }
    if (options.number)
        drawing.registrationNumber = *options.number;
    return true;
}

PrintOutcome render(const RenderOptions& options, const CurrentDocument& document) {
    using Output = RenderOptions::Output;
    switch (options.output) {
    case Output::Pdf:
        return printToPdf(document, options.outputPath);
    case Output::Png:
        return printToPng(document, options.outputPath, options.dpi);
    case Output::Printer:
        return printToDefaultPrinter(document);
    case Output::Trace: {
        RecordingSurface surface;
        const PrintOutcome outcome = insatu(surface, document);
        const QByteArray trace = surface.toJsonLines();
        std::fwrite(trace.constData(), 1, size_t(trace.size()), stdout);
        return outcome;
    }
    case Output::List:
    case Output::None:
        break;
    }
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    // The renderer opens no window; it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
    installJapaneseQtTexts(app);

    const ParsedOptions parsed = parseRenderOptions(app.arguments());
    if (!parsed.error.isEmpty()) {
        say(stderr, parsed.error);
        return 2;
    }
    const RenderOptions& options = parsed.options;
    if (options.output == RenderOptions::Output::List) {
        list();
        return 0;
    }

    CurrentDocument document;
    document.setTitle(options.document->title);
    if (!options.fromCase.isEmpty()) {
        QString error;
        const CaseDatabase where = options.database.isEmpty()
                                       ? CaseDatabase::fromSettings()
                                       : CaseDatabase::fromArgument(options.database);
        if (!loadCaseInto(where, options.fromCase, document, &error)) {
            say(stderr, error);
            return 2;
        }
    }
    for (auto it = options.values.begin(); it != options.values.end(); ++it)
        document.fields().setValue(it.key(), it.value());
    if (!loadMaps(options, document.drawing()))
        return 2;

    const PrintOutcome outcome = render(options, document);
    if (outcome.status != PrintOutcome::Status::Printed) {
        say(stderr,
            outcome.reason.isEmpty() ? QStringLiteral("印刷できませんでした。") : outcome.reason);
        return 1;
    }
    return 0;
}
