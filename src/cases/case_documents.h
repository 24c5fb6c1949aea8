#pragma once

#include "cases/case.h"

#include <QStringList>

namespace mivo {

// The titles of the documents that have a value, in the document table's order: a text
// document when one of its fields is not empty, the layout drawing when `drawingHasValues`.
QStringList documentsWithValues(const Case::Values& values, bool drawingHasValues);
// The same for a whole case as its documents open (its particulars fill empty fields), whose
// drawing has values when it has a map or a number.
QStringList documentsWithValues(const Case& c);
// The same, with the drawing's state given (maps shown but not stored as bytes yet).
QStringList documentsWithValues(const Case& c, bool drawingHasValues);

} // namespace mivo
