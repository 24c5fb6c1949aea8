#pragma once

#include <QStringView>

#include <optional>

namespace mivo {

struct DocumentInfo;

// The field of `document` that a column heading names: its caption beside the box on screen,
// its block of the form, or the block and caption together ("委任者（左）住所"), as
// mivo-render --list shows them; spaces of either width are ignored. Nothing when the heading
// names no field of the document or several of them.
std::optional<int> fieldNamed(const DocumentInfo& document, QStringView heading);

} // namespace mivo
