#pragma once

#include "print/value_fit.h"

#include <span>

namespace mivo {

class PrinterSurface;
class FieldStore;

// 保管場所証明書 (保管場所使用承諾証明書): fields tx(0) to tx(21). The set-up leaves the pen
// width to the frame, and the title prints in the weight the job starts with.
void PrintParkingConsentCertificate(PrinterSurface& surface, const FieldStore& tx);
// Where each value may print: the gaps of its fields.
std::span<const ValueGap> ParkingConsentCertificateGaps();

} // namespace mivo
