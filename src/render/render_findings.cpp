#include "render/render_findings.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "particulars/value_checks.h"
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
    return refused;
}

} // namespace mivo
