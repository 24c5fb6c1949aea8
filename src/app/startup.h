#pragma once

class QApplication;

namespace mivo {

// Readies the application for its windows: its version and desktop entry, Qt's own dialog texts
// (buttons of message boxes, the file dialog) in Japanese, like the rest of the program. Without
// Qt's Japanese translation installed they stay in English.
void prepareApplication(QApplication& app);

} // namespace mivo
