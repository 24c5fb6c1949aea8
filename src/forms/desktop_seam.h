#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace mivo {

// The places where the picture form waits for the user or hands over to the desktop. They
// answer with the platform's own dialogs and programs; tests put in answers of their own, so
// that nothing blocks.
struct DesktopSeam {
    // Shows an open dialog with a filter of "description|pattern|..." pairs and returns the
    // chosen file, or the empty text when the user cancelled.
    std::function<QString(QWidget* parent, const QString& filter)> openFileName;
    // A short message that the user acknowledges.
    std::function<void(QWidget* parent, const QString& message)> showMessage;
    // Opens the picture file in a paint program; false when no program could be started.
    std::function<bool(const QString& picturePath)> startPaintProgram;
};

DesktopSeam& desktopSeam();

} // namespace mivo
