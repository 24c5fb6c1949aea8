#pragma once

class QMenuBar;
class QWidget;

namespace mivo {

// ヘルプ > キーボード操作: every shortcut of the program, those of the menus read from the
// menus themselves, those of the other windows from a table beside the code.
void showKeyboardHelp(const QMenuBar& menus, QWidget* parent);

} // namespace mivo
