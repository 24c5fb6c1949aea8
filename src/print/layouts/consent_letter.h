#pragma once

namespace mivo {

class PrinterSurface;
class FieldStore;

// 承諾書: fields tx(22) to tx(29).
void PrintConsentLetter(PrinterSurface& surface, const FieldStore& tx);

} // namespace mivo
