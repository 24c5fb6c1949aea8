#pragma once

class QCoreApplication;

namespace mivo {

// Qt's own texts (buttons of message boxes, the file dialog, command-line errors and help) in
// Japanese, like the rest of the program. Without Qt's Japanese translation installed they stay
// in English.
void installJapaneseQtTexts(QCoreApplication& app);

} // namespace mivo
