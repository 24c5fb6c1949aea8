#pragma once

#include "document/document_kind.h"
#include "document/field_store.h"
#include "particulars/particulars.h"

#include <QList>

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

// The particulars changed from `before` to `after` while a document is open: each field
// `within` whose particular changed takes the new value where it is empty or still holds the
// one `before` gave it (so typing into the particulars window carries into the open form);
// a value typed there stays. Returns the fields it changed.
QList<int> followParticulars(const Particulars& before, const Particulars& after,
                             FieldStore& fields, FieldRun within);

// The fields whose value is the one their particular gives.
QList<int> fieldsFromParticulars(const Particulars& particulars, const FieldStore& fields);

// Those of them filled from the particulars: the boxes the form tints. A box a particular was
// learned from holds its value because it was typed there.
QList<int> fieldsFilledFromParticulars(const Particulars& particulars, const FieldStore& fields);

// A value typed into `field` becomes the particular that fills the field while that particular
// is still empty, and is learned from the field: while the particular holds it, correcting the
// box corrects the particular and clearing the box clears it. Then fillEmptyFields and
// followParticulars carry it to the other documents. Call when the box's editing is finished:
// on every keystroke the particular would keep the first character. Returns whether the
// particulars changed.
bool adoptTypedValue(Particulars& particulars, const FieldStore& fields, int field);

} // namespace mivo
