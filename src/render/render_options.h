#pragma once

#include "document/csv_encoding.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace mivo {

struct Destination;
struct DocumentInfo;

// What one run of mivo-render is asked to do, read from its command line.
struct RenderOptions {
    enum class Output { None, Pdf, Png, Printer, Trace, List };

    QList<const DocumentInfo*> documents; // one page each, in this order
    QString caseRef;                      // --case: a stored case's id or name
    QString database;                     // --database: where the cases are; else the settings
    bool allOfCase = false;               // --all: the case's documents that have values
    QString batch;                        // --batch: a CSV or JSON Lines file, a page per row
    bool keepGoing = false;               // --keep-going: skip a bad row, fail at the end
    bool progress = false;                // --progress: also when standard error is no terminal
    CsvEncoding encoding = CsvEncoding::Detect; // --encoding: how the --batch CSV is written
    bool strict = false;                        // --strict: a doubtful value is an error
    QMap<int, QString> values;                  // field index -> text; --set wins over --values
    // File names are the file system's own bytes, exactly as given (see argument_text.h).
    QByteArray leftMap;
    QByteArray rightMap;
    QByteArray layoutPlan; // --layout: a drawn 配置図 (JSON) for the right half
    bool fitMaps = false;  // a map larger than its area is scaled down to fit it
    QByteArray location;   // --location: the location map's marks file, with its picture
    bool fetchMap = false; // --fetch-map: the location map from the map tiles
    QString tiles;         // --tiles: the tiles' address with {z}, {x}, {y}; else the settings'
    QString geocoder;      // --geocoder: the address search; else the settings'
    std::optional<QString> number;
    Output output = Output::None;
    QString outputPath; // as argumentTexts() gives it; with --batch it may hold {n}

    int dpi = 150;
};

struct ParsedOptions {
    RenderOptions options;
    QString error; // a message for the user; empty when the command line is sound
};

// Reads the arguments as argumentTexts() gives them, the program's name first, and the
// --values file they name. --help and --version print their text and end the program.
ParsedOptions parseRenderOptions(const QStringList& arguments);

// Where -o or --print sends the pages, the file being `path`.
Destination destinationFor(const RenderOptions& options, const QString& path);

// Why `values` cannot go on `documents` (an index that is none of their fields), or empty.
QString checkIndices(const QList<const DocumentInfo*>& documents, const QMap<int, QString>& values);

} // namespace mivo
