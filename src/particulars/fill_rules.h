#pragma once

#include "document/document_kind.h"
#include "document/field_store.h"
#include "particulars/particulars.h"

#include <QList>

#include <span>

namespace mivo {

// What the particulars put into the documents' fields, by the fill table. A field that no
// particular with a value fills is never touched.

// Both act on the fields `within` only, those of the open document: a document opened later
// takes the particulars as they are then.

// Fills the empty fields whose particular has a value and leaves every typed value as it is.
// Returns the fields it filled, in the order of the fill table.
QList<int> fillEmptyFields(const Particulars& particulars, FieldStore& fields, FieldRun within);

// 基本情報から入力し直す: puts the particulars' values into their fields again, over what
// was typed there. Returns every field that now holds its particular's value.
QList<int> refillFields(const Particulars& particulars, FieldStore& fields, FieldRun within);

// A correction: the particulars of a case changed from `before` to `after`. Every field of the
// case whose particular changed takes the new value where it is empty or still holds the one
// `before` gave it, whichever document it is on; a value typed there differently stays. Every
// change of a case's particulars (its window, a certificate import, the command line) goes
// through here, so that the open document, the stored documents and whole-case output agree.
// Returns the fields it changed.
QList<int> followParticulars(const Particulars& before, const Particulars& after,
                             std::span<QString, FieldStore::Count> values);
// The same on the open document's fields, which hold the whole case's values.
QList<int> followParticulars(const Particulars& before, const Particulars& after,
                             FieldStore& fields);

// The fields whose value is the one their particular gives.
QList<int> fieldsFromParticulars(const Particulars& particulars, const FieldStore& fields);

// Those of them filled from the particulars: the boxes the form tints. A box a particular was
// learned from holds its value because it was typed there.
QList<int> fieldsFilledFromParticulars(const Particulars& particulars, const FieldStore& fields);

// A date's year for the box `field`: on a page whose date line prints no era, the box takes
// it with the era (令和8), so that the page says which year it is; elsewhere as it is.
QString yearInBox(int field, const QString& year);
// The reverse: the year a box holds, as a particular keeps it (令和8 → 8).
QString yearOfBox(int field, const QString& text);

// A value typed into `field` becomes the particular that fills the field while that particular
// is still empty, and is learned from the field: while the particular holds it, correcting the
// box corrects the particular and clearing the box clears it. Then fillEmptyFields and
// followParticulars carry it to the other documents. Call when the box's editing is finished:
// on every keystroke the particular would keep the first character. Returns whether the
// particulars changed.
bool adoptTypedValue(Particulars& particulars, const FieldStore& fields, int field);

} // namespace mivo
