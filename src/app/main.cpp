#include "app/mdi_form1.h"
#include "print/qt_texts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    mivo::installJapaneseQtTexts(app);
    mivo::MDIForm1 window;
    window.showMaximized(); // the document windows need the room
    return app.exec();
}
