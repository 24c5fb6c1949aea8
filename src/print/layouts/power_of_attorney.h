#pragma once

namespace mivo {

class PrinterSurface;
class FieldStore;

// 委任状: fields tx(62) to tx(78).
void PrintPowerOfAttorney(PrinterSurface& surface, const FieldStore& tx);

} // namespace mivo
