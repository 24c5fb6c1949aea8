#pragma once

#include "document/layout_drawing_state.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mivo {

class CaseParticulars;
class CurrentDocument;
class LocationControls;
class LocationMapBox;
class PictureBox;
class Prompts;

// The picture form of the layout drawing: two map pictures and the registration number, held
// in `document`. Creating it opens the document "保管場所配置図"; closing it closes the document
// and discards the pictures and the number. Its dialogs and the paint program go through
// `prompts`. It shows the drawing as the document holds it when it is shown, and says when the
// user changed it.
class Frmhchi : public QWidget {
    Q_OBJECT
  public:
    // The outer size of its document window, in twips.
    static constexpr int OuterWidth = 12000, OuterHeight = 9000;

    // `particulars`, when given, offer their addresses to 地図を取得….
    Frmhchi(CurrentDocument& document, Prompts& prompts,
            const CaseParticulars* particulars = nullptr);

    // Shows the drawing as the document holds it now (after an undo).
    void showDrawing();

  signals:
    // A map, its fit or the registration number was changed by the user.
    void drawingChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildControls();
    void placeControls();

    // One half of the form: its picture and fit choice in the document, and its controls.
    struct Half {
        QImage LayoutDrawingState::*picture;
        bool LayoutDrawingState::*fit;
        PictureBox* box;
        QCheckBox* fitBox;
        QLabel* tooLarge;
    };
    Half left();
    Half right();
    void openMap(const Half& half);
    void emptyMap(const Half& half);
    void forgetMarks();
    void fetchMap();
    void setFit(const Half& half, bool fit);
    void showMap(const Half& half);
    void newMap();
    void drawSitePlan();
    LayoutDrawingState& drawing();

    CurrentDocument& document_;
    Prompts& prompts_;
    const CaseParticulars* particulars_;
    struct Controls {
        QLabel* Label1;
        QLabel* Label2;
        QLabel* Label3;
        QLabel* Label4;
        QLabel* Label5;    // the left map is larger than its area
        QLabel* Label6;    // ... the right map
        QLabel* Label7;    // the location map's distance and the 2 km warning
        QCheckBox* Check1; // 枠に合わせる, left
        QCheckBox* Check2; // ... right
        QPushButton* Command1;
        QPushButton* Command2;
        QPushButton* Command3;
        QPushButton* Command4;
        QPushButton* Command5;
        QPushButton* Command6; // 配置図を描く…
        QPushButton* cmdexit;
        LocationMapBox* Picture2;
        LocationControls* location; // the marks under the location map
        PictureBox* Picture3;
        QLineEdit* Text1;
    } ui_;
};

} // namespace mivo
