#pragma once

#include "document/layout_drawing_state.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mivo {

class MDIForm1;
class PictureBox;

// The picture form of the layout drawing: two map pictures and the registration number.
// What it shows is the main window's open document; opening it opens the document
// "保管場所配置図", closing it closes the document and discards the pictures and the number.
class Frmhchi : public QWidget {
    Q_OBJECT
  public:
    // Creates the form as a child window of the main window and shows it; the form that is
    // already open when there is one.
    static Frmhchi* open(MDIForm1& main);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    explicit Frmhchi(MDIForm1& main);
    void buildControls();
    void placeControls();

    using Half = QImage LayoutDrawingState::*;
    void openMap(Half half);
    void emptyMap(Half half);
    void newMap();
    void showMaps();
    LayoutDrawingState& drawing();

    MDIForm1& main_;
    struct Controls {
        QLabel* Label1;
        QLabel* Label2;
        QLabel* Label3;
        QLabel* Label4;
        QPushButton* Command1;
        QPushButton* Command2;
        QPushButton* Command3;
        QPushButton* Command4;
        QPushButton* Command5;
        QPushButton* cmdexit;
        PictureBox* Picture2;
        PictureBox* Picture3;
        QLineEdit* Text1;
    } ui_;
};

} // namespace mivo
