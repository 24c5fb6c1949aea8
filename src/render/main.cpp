// mivo-render: one document as a PDF, a PNG, a printed page or a trace, without the windows.

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_catalogue.h"
#include "document/picture_file.h"
#include "mivo_version.h"
#include "print/dispatch.h"
#include "print/print_job.h"
#include "print/recording_surface.h"
#include "render/render_options.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

using namespace mivo;

namespace {

void say(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (!text.endsWith(u'\n'))
        std::fputc('\n', stream);
}

// Each document with its alias, then the index and meaning of each of its fields.
void list() {
    for (const DocumentInfo& info : documents()) {
        say(stdout, QStringLiteral("%1\t%2").arg(info.title, QLatin1String(info.alias)));
        if (info.firstField < 0) {
            say(stdout, QStringLiteral("\t--left-map\t所在図 (location map picture)\n"
                                       "\t--right-map\t配置図 (layout drawing picture)\n"
                                       "\t--number\t登録番号 (registration number)"));
            continue;
        }
        std::vector<const FieldInfo*> fields;
        for (const FieldInfo& field : fieldCatalogue()) {
            if (field.index >= info.firstField && field.index <= info.lastField)
                fields.push_back(&field);
        }
        std::sort(fields.begin(), fields.end(),
                  [](const FieldInfo* a, const FieldInfo* b) { return a->index < b->index; });
        for (const FieldInfo* field : fields) {
            say(stdout, QStringLiteral("\t%1\t%2")
                            .arg(field->index)
                            .arg(QString::fromUtf8(field->meaning)));
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
    drawing.registrationNumber = options.number.value_or(QString());
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
    if (app.arguments().mid(1) == QStringList{QStringLiteral("--version")}) {
        say(stdout, QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                QCoreApplication::applicationVersion()));
        return 0;
    }

    const ParsedOptions parsed = parseRenderOptions(app.arguments().mid(1));
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
