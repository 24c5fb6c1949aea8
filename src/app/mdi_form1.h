#pragma once

#include "document/current_document.h"
#include "document/document_kind.h"
#include "forms/prompts.h"
#include "particulars/case_particulars.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QToolBar;

namespace mivo {

class CaseCommands;
class CaseOverview;
class EditHistory;
class OutputCommands;
class ParticularsCommands;
class PrintService;
class var;

// The main window: menus, toolbar, the status label Label1 that shows the open document's
// title, and the multiple-document area that holds the document windows.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // `prompts` asks the user everything the windows ask; tests answer instead.
    explicit MDIForm1(std::unique_ptr<Prompts> prompts = desktopPrompts(),
                      QWidget* parent = nullptr);
    ~MDIForm1() override;

    QMdiArea* mdiArea() const { return mdiArea_; }
    // The open document; Label1 shows its title.
    CurrentDocument& document() { return document_; }
    // The current case's particulars, which the forms fill from.
    CaseParticulars& particulars() { return particulars_; }
    // What is typed is kept in the current case; other windows reach the case through it.
    CaseCommands& cases() { return *cases_; }

    // Where Print sends the page: the system's printers unless replaced.
    void setPrintService(std::unique_ptr<PrintService> service);
    // Preview, PDF, pictures, a chosen printer and a whole case.
    OutputCommands& outputCommands() { return *output_; }
    // 元に戻す and やり直す.
    EditHistory& history() { return *history_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createActions();
    void connectCase();
    void createMenus();
    void createToolBar();
    void updateFileMenu();

    // With a document open, asks to close it; true once none is open.
    bool closeDocumentToContinue();
    void showSavedFile(const QString& path);
    void placeOverview();
    void newDocument();
    void openDocument(DocumentKind kind);
    void openPictureForm();
    void print();
    void customizeToolbar();
    void showVersion();

    CurrentDocument document_;
    CaseParticulars particulars_;
    QMdiArea* mdiArea_;
    std::unique_ptr<PrintService> printService_;
    std::unique_ptr<Prompts> prompts_;
    std::unique_ptr<CaseCommands> cases_; // after the document: it saves before the document goes

    QAction* sinki_ = nullptr;
    QAction* mneprint_ = nullptr;
    QAction* close_ = nullptr;
    QAction* exit_ = nullptr;
    QAction* mnuCustomize_ = nullptr;
    QAction* ver_ = nullptr;
    QAction* keys_ = nullptr;
    ParticularsCommands* particularsCommands_ = nullptr;
    OutputCommands* output_ = nullptr;

    QToolBar* Toolbar1_ = nullptr;
    QList<QAction*> toolbarButtons_; // keyed "新規作成" and "印刷", in their original order
    QFrame* Frame1_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* savedFile_ = nullptr; // where the last file was saved, with its folder's link
    CaseOverview* overview_ = nullptr;

    QPointer<var> var_;
    EditHistory* history_ = nullptr;
};

} // namespace mivo
