#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace mivo {

struct DocumentInfo;

// What one run of mivo-render is asked to do, read from its command line.
struct RenderOptions {
    enum class Output { None, Pdf, Png, Printer, Trace, List };

    const DocumentInfo* document = nullptr;
    QMap<int, QString> values; // field index -> text; --set wins over --values
    // File names are the file system's own bytes, exactly as given (see argument_text.h).
    QByteArray leftMap;
    QByteArray rightMap;
    bool fitMaps = false; // a map larger than its area is scaled down to fit it
    std::optional<QString> number;
    Output output = Output::None;
    QByteArray outputPath;
    int dpi = 150;
};

struct ParsedOptions {
    RenderOptions options;
    QString error; // a message for the user; empty when the command line is sound
};

// Reads the arguments as argumentTexts() gives them, the program's name first, and the
// --values file they name. --help and --version print their text and end the program.
ParsedOptions parseRenderOptions(const QStringList& arguments);

} // namespace mivo
