#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace mivo {

class CurrentDocument;
struct LayoutDrawingState;
struct Particulars;
struct RenderOptions;

// A message for the user, as UTF-8 and ending with a line break.
void say(FILE* stream, const QString& text);

// Loads the maps and number the options give into the drawing; false after saying why.
// `particulars`, a case's, give the addresses of places that a fetched map has no
// latitude and longitude for.
bool loadMaps(const RenderOptions& options, LayoutDrawingState& drawing,
              const Particulars* particulars = nullptr);

// Fills `document` with the stored case --case names, and `titles` with the documents to draw:
// those named, or with --all the case's documents that have values. False after saying why.
// `particulars`, when given, receives the case's.
bool loadCase(const RenderOptions& options, CurrentDocument& document, QStringList& titles,
              Particulars* particulars = nullptr);

} // namespace mivo
