#pragma once

namespace mivo {

class PrinterSurface;
struct LayoutDrawingState;

// 保管場所配置図: the two maps at their natural size, the wording, the registration number and
// the frame. The maps come first so that the wording and the rules lie on top of them.
void PrintLayoutDrawing(PrinterSurface& surface, const LayoutDrawingState& drawing);

} // namespace mivo
