#pragma once

#include "cases/case_database.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QWidget;

namespace mivo {

class CurrentDocument;
class PreviewWindow;
class PrintService;
class Prompts;

// The stored case the user works on: where it is kept, its id and its name, and how to store
// what was typed last before the case is read back.
struct CaseRef {
    CaseDatabase where;
    qint64 id = 0;
    QString name;
    std::function<void()> storePending;
};

// The commands that send the open document, or a whole case, somewhere other than straight to
// the default printer: preview, PDF, picture, a chosen printer, a case's documents together.
// Each builds its action here; the main window puts them in its menus and toolbar.
class OutputCommands : public QObject {
    Q_OBJECT
  public:
    // `service` is asked for at each use: the window may replace it.
    OutputCommands(QWidget* window, CurrentDocument& document,
                   std::function<PrintService&()> service, Prompts& prompts);

    QAction* preview() const { return preview_; }
    QAction* saveAsPdf() const { return saveAsPdf_; }
    QAction* saveAsImage() const { return saveAsImage_; }
    QAction* printTo() const { return printTo_; }
    QAction* printCase() const { return printCase_; }

    // The current case, or nothing when none is current; none until the window sets it.
    void setCurrentCase(std::function<std::optional<CaseRef>()> currentCase) {
        currentCase_ = std::move(currentCase);
    }

    // The open preview, if any.
    PreviewWindow* previewWindow() const;
    // The layout drawing changed: the preview draws it again.
    void drawingChanged();

  private:
    void showPreview();
    void savePdf();
    void saveImage();
    void printWithDialog();
    void sendCase();
    void printFromPreview();
    // Title, case name and today's date, as a file name without suffix.
    QString proposedName(const QString& title) const;
    void warnIfFailed(const QString& what, const QString& reason) const;

    QWidget* window_;
    CurrentDocument& document_;
    std::function<PrintService&()> service_;
    Prompts& prompts_;
    std::function<std::optional<CaseRef>()> currentCase_ = [] { return std::nullopt; };
    QPointer<PreviewWindow> previewWindow_;

    QAction* preview_;
    QAction* saveAsPdf_;
    QAction* saveAsImage_;
    QAction* printTo_;
    QAction* printCase_;
};

} // namespace mivo
