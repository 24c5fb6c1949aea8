#include "app/print_checks.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/location_marks.h"
#include "forms/prompts.h"
#include "particulars/value_checks.h"
#include "print/site_plan_checks.h"

#include <QSettings>

namespace mivo {
namespace {

const QString kCheckKey = QStringLiteral("print/checkFirst");

QSettings settings() { return QSettings(QStringLiteral("mivo"), QStringLiteral("mivo")); }

} // namespace

bool checkingBeforePrinting() { return settings().value(kCheckKey, true).toBool(); }

void setCheckingBeforePrinting(bool on) { settings().setValue(kCheckKey, on); }

bool goAheadAfterChecks(QWidget* parent, Prompts& prompts,
                        std::span<const CurrentDocument* const> documents) {
    if (!checkingBeforePrinting())
        return true;
    QStringList lines;
    for (const CurrentDocument* document : documents) {
        const DocumentInfo* info = findDocument(document->title());
        if (!info)
            continue;
        QStringList found;
        for (const Finding& finding : findingsFor(info->fields, document->fields()))
            found.append(findingLine(finding));
        if (info->kind == DocumentKind::LayoutDrawing) {
            // The parking place over 2 km away: named, and it prints all the same if the user
            // says so.
            if (const QString tooFar = tooFarText(document->drawing().location); !tooFar.isEmpty())
                found.append(tooFar);
            found.append(drawingFindings(document->drawing()));
        }
        for (const QString& line : found)
            lines.append(documents.size() > 1 ? document->title() + u'　' + line : line);
    }
    if (lines.isEmpty())
        return true;
    bool stopAsking = false;
    const bool goOn = prompts.printAnyway(parent, lines, &stopAsking);
    if (stopAsking)
        setCheckingBeforePrinting(false);
    return goOn;
}

} // namespace mivo
