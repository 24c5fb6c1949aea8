#include "render/render_findings.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "particulars/value_checks.h"
#include "print/site_plan_checks.h"
#include "render/render_input.h"

namespace mivo {

bool reportFindings(const CurrentDocument& document, const QString& where) {
    const DocumentInfo* info = findDocument(document.title());
    if (!info)
        return false;
    bool refused = false;
    for (const Finding& finding : findingsFor(info->fields, document.fields())) {
        say(stderr, QStringLiteral("%1%2 %3 %4")
                        .arg(where, document.title())
                        .arg(finding.field)
                        .arg(findingLine(finding)));
        refused = refused || finding.kind != Finding::Kind::Empty;
    }
    if (info->kind != DocumentKind::LayoutDrawing)
        return refused;
    // What a window would send the drawn plan back for is never only an empty field.
    const QStringList plan = drawingFindings(document.drawing());
    for (const QString& line : plan)
        say(stderr, QStringLiteral("%1%2 %3").arg(where, document.title(), line));
    return refused || !plan.isEmpty();
}

} // namespace mivo
