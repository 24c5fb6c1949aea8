#pragma once

#include <QStringView>

class QLineEdit;
class QWidget;

namespace mivo {

class Prompts;

// Puts the address of the postal code `typed` (seven digits, however written) into `address`
// when that box is empty: the code's one town, or the one the user picks where it has several.
// Returns whether it filled the box.
bool fillAddressFromPostalCode(QWidget* parent, Prompts& prompts, QStringView typed,
                               QLineEdit* address);

} // namespace mivo
