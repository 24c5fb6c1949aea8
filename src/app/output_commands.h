#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QWidget;

namespace mivo {

class CaseKeeper;
class CurrentDocument;
struct Case;
class PreviewWindow;
class PrintService;
class Prompts;

// The commands that send the open document, or a whole case, somewhere other than straight to
// the default printer: preview, PDF, picture, a chosen printer, a case's documents together.
// Each builds its action here; the main window puts them in its menus and toolbar.
class OutputCommands : public QObject {
    Q_OBJECT
  public:
    // `service` is asked for at each use: the window may replace it. `keeper` keeps the
    // current case, which names the files and is what 案件の書類をまとめて sends.
    OutputCommands(QWidget* window, CurrentDocument& document,
                   std::function<PrintService&()> service, Prompts& prompts, CaseKeeper& keeper);

    QAction* preview() const { return preview_; }
    QAction* saveAsPdf() const { return saveAsPdf_; }
    QAction* saveAsImage() const { return saveAsImage_; }
    QAction* printTo() const { return printTo_; }
    QAction* printCase() const { return printCase_; }
    // Whether the list of findings comes before printing (ticked), the setting.
    QAction* checkFirst() const { return checkFirst_; }

    // The open preview, if any.
    PreviewWindow* previewWindow() const;
    // The layout drawing changed: the preview draws it again.
    void drawingChanged();

  signals:
    // A file was written: the window says where.
    void savedTo(const QString& path);
    // These documents of the current case went to a printer or a PDF file.
    void printed(const QStringList& titles);

  private:
    void showPreview();
    void savePdf();
    void saveImage();
    void printWithDialog();
    void sendCase();
    void sendStoredCase(const Case& c, const QString& error);
    void printFromPreview();
    // Title, case name and today's date, as a file name without suffix.
    QString proposedName(const QString& title) const;
    void warnIfFailed(const QString& what, const QString& reason) const;
    // A file name without suffix from its parts, with today's date once.
    static QString datedName(QStringList parts);

    QWidget* window_;
    CurrentDocument& document_;
    std::function<PrintService&()> service_;
    Prompts& prompts_;
    CaseKeeper& keeper_;
    QPointer<PreviewWindow> previewWindow_;

    QAction* preview_;
    QAction* saveAsPdf_;
    QAction* saveAsImage_;
    QAction* printTo_;
    QAction* printCase_;
    QAction* checkFirst_;
};

} // namespace mivo
