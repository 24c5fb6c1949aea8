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
    QString fromCase;          // a stored case's id or name, filled in before the values below
    QString database;          // where that case is; the program's settings when empty
    QMap<int, QString> values; // field index -> text; --set wins over --values
    QString leftMap;
    QString rightMap;
    std::optional<QString> number;
    Output output = Output::None;
    QString outputPath;
    int dpi = 150;
};

struct ParsedOptions {
    RenderOptions options;
    QString error; // a message for the user; empty when the command line is sound
};

// Reads the arguments, the program's name first, and the --values file they name. --help and
// --version print their text and end the program.
ParsedOptions parseRenderOptions(const QStringList& arguments);

} // namespace mivo
