#include "cases/case_documents.h"

#include "cases/case.h"
#include "cases/case_document.h"
#include "document/current_document.h"
#include "document/document_kind.h"

#include <algorithm>

namespace mivo {

QStringList documentsWithValues(const Case::Values& values, bool drawingHasValues) {
    QStringList titles;
    for (const DocumentInfo& info : documents()) {
        const auto first = values.begin() + info.fields.first;
        const bool filled = info.fields.isEmpty()
                                ? drawingHasValues
                                : std::any_of(first, first + info.fields.count,
                                              [](const QString& v) { return !v.isEmpty(); });
        if (filled)
            titles << info.title;
    }
    return titles;
}

QStringList documentsWithValues(const Case& c) {
    return documentsWithValues(c, !c.locationMap.isEmpty() || !c.layoutMap.isEmpty() ||
                                      !c.registrationNumber.isEmpty() ||
                                      !c.locationMarks.isEmpty() || !c.sitePlan.isEmpty());
}

QStringList documentsWithValues(const Case& c, bool drawingHasValues) {
    CurrentDocument document;
    fillDocument(c, {}, document);
    Case::Values values;
    for (int i = 0; i < FieldStore::Count; ++i)
        values[size_t(i)] = document.fields().value(i);
    return documentsWithValues(values, drawingHasValues);
}

} // namespace mivo
