#pragma once

#include "document/document_kind.h"

#include <QHash>
#include <QString>

namespace mivo {

// How a value stands in the gap its page leaves for it: as typed, fitted (condensed, smaller or
// on two lines), or not even at those limits, so that it prints only as far as it goes.
enum class FitState { Fits, Fitted, DoesNotFit };

// The gap of one value, in the unit of its field step: from where the value starts to `right`
// on its line and, where the page leaves room below, down to `bottom`; 0 keeps it to one line.
struct ValueGap {
    int field;
    float right;
    float bottom = 0;
};

// The face (by the name the layouts use), size and weight a value prints in.
struct TextStyle {
    QString face;
    float points;
    bool bold;
};

// How a value is printed: `text` holds its lines, separated by line breaks.
struct FittedValue {
    FitState state = FitState::Fits;
    int stretch = 100; // percent of the natural width
    float points = 0;
    QString text;
};

// Fits `value` into a gap `width` twips wide with `height` twips below its top (one line when
// that is less than two). A value that fits is returned as typed. Otherwise it is condensed
// (down to 60 %), then set smaller (down to 7 pt, in half points), trying two lines at each
// size where the gap has room; at those limits it keeps only what fits.
FittedValue fitValue(const QString& value, const TextStyle& style, double width, double height);

class FieldStore;

// How the values of the fields `within` stand in their gaps, measured as printing measures them,
// each page played once; a field that is not listed fits (an empty value, an index no page
// prints, a page that could not be measured).
QHash<int, FitState> fitStatesOf(FieldRun within, const FieldStore& fields);

// How `value` would stand in field `fieldIndex`'s gap on its page, measured as printing
// measures it; Fits for an empty value or an index no page prints.
FitState fitStateOf(int fieldIndex, const QString& value);

} // namespace mivo
