#include "app/mdi_form1.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    mivo::prepareApplication(app);
    mivo::MDIForm1 window;
    window.showMaximized(); // the document windows need the room
    return app.exec();
}
