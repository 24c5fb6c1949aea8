#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace mivo {

struct DocumentInfo;

// The field of `document` that a column heading names: its caption beside the box on screen,
// its block of the form, or the block and caption together ("委任者（左）住所"), as
// mivo-render --list shows them; spaces of either width are ignored. Nothing when the heading
// names no field of the document or several of them; then `several` (when given) lists the
// fields it could mean, empty for none.
std::optional<int> fieldNamed(const DocumentInfo& document, QStringView heading,
                              QList<int>* several = nullptr);

// The field as the user knows it, for messages: its block of the form and, when short, its
// caption ("委任者（左） 氏名又は名称").
QString fieldTitle(int index);

// The field as mivo-render --list shows it: "69 氏名又は名称 委任者（左）".
QString listedField(int index);

} // namespace mivo
