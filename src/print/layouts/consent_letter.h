#pragma once

#include "print/value_fit.h"

#include <span>

namespace mivo {

class PrinterSurface;
class FieldStore;

// 承諾書: fields tx(22) to tx(29).
void PrintConsentLetter(PrinterSurface& surface, const FieldStore& tx);
// Where each value may print: the gaps of its fields.
std::span<const ValueGap> ConsentLetterGaps();

} // namespace mivo
