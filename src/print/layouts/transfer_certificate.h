#pragma once

#include "print/value_fit.h"

#include <span>

namespace mivo {

class PrinterSurface;
class FieldStore;

// 譲渡証明書: fields tx(40) to tx(61). The vehicle box and the table frame are drawn in
// millimetres, the row rules and every text in twips; the job ends in twips.
void PrintTransferCertificate(PrinterSurface& surface, const FieldStore& tx);
// Where each value may print: the gaps of its fields.
std::span<const ValueGap> TransferCertificateGaps();

} // namespace mivo
