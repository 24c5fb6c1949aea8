#include "app/case_commands.h"
#include "app/mdi_form1.h"
#include "mivo_version.h"
#include "programs/qt_texts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QLatin1String(mivo::kVersion));
    // Wayland desktops find the menu entry, and so the icon, for our windows by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.mivo.Mivo"));
    mivo::installJapaneseQtTexts(app);
    mivo::MDIForm1 window;
    window.cases().reopenLastCase();
    window.showMaximized(); // the document windows need the room
    return app.exec();
}
