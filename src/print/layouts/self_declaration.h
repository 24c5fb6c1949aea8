#pragma once

#include "print/value_fit.h"

#include <span>

namespace mivo {

class PrinterSurface;
class FieldStore;

// 自認書 (保管場所使用権原疎明書面): fields tx(30) to tx(39). The job ends with bold on.
void PrintSelfDeclaration(PrinterSurface& surface, const FieldStore& tx);
// Where each value may print: the gaps of its fields.
std::span<const ValueGap> SelfDeclarationGaps();

} // namespace mivo
