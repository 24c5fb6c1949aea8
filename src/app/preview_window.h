#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

class QActionGroup;
class QLabel;
class QScrollArea;

namespace mivo {

class CurrentDocument;

// The open document's page as it will print, in a tool window that stays beside the form
// being typed into: drawn by its print routine on a picture at the
// resolution of the screen, the size the zoom asks for. It is drawn again when a value
// changes and when the window comes forward (a map loaded meanwhile); it closes when the
// document does.
class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Zoom { FitPage, FitWidth, Actual };

    PreviewWindow(const CurrentDocument& document, QWidget* parent);

    void setZoom(Zoom zoom);
    // The document changed in a way its values do not show (a map, the fit, the number).
    void documentChanged() { redraw_.start(); }
    // The page as last drawn (null when it could not be drawn).
    QImage page() const { return page_; }

  signals:
    // 印刷 was pressed.
    void printRequested();
    // The page was drawn again.
    void pageDrawn();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void draw();
    double dotsPerInch() const;

    const CurrentDocument& document_;
    Zoom zoom_ = Zoom::FitPage;
    QActionGroup* zooms_;
    QScrollArea* area_;
    QLabel* sheet_;
    QTimer redraw_; // changes in a row are drawn once
    QImage page_;
};

} // namespace mivo
