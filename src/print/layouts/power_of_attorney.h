#pragma once

#include "print/value_fit.h"

#include <span>

namespace mivo {

class PrinterSurface;
class FieldStore;

// 委任状: fields tx(62) to tx(78).
void PrintPowerOfAttorney(PrinterSurface& surface, const FieldStore& tx);
// Where each value may print: the gaps of its fields.
std::span<const ValueGap> PowerOfAttorneyGaps();

} // namespace mivo
