#pragma once

#include <span>

class QWidget;

namespace mivo {

class CurrentDocument;
class Prompts;

// Whether the list of findings comes before printing: on unless the user turned it off.
bool checkingBeforePrinting();
void setCheckingBeforePrinting(bool on);

// Before 印刷, 印刷…, PDFとして保存 and まとめて: what is empty among the fields that matter,
// doubtful or does not fit, and a parking place over 2 km away, in the documents about to go
// out, as a short list with 「このまま印刷」 and 「戻って直す」. True to go on: nothing found,
// the list turned off, or the user's choice; it never refuses by itself.
bool goAheadAfterChecks(QWidget* parent, Prompts& prompts,
                        std::span<const CurrentDocument* const> documents);

} // namespace mivo
