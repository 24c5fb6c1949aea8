#include "app/mdi_form1.h"

#include "app/case_commands.h"
#include "app/case_overview.h"
#include "app/edit_history.h"
#include "app/keyboard_help.h"
#include "app/mdi_view_keeper.h"
#include "app/named_action.h"
#include "app/output_commands.h"
#include "app/particulars_commands.h"
#include "app/print_checks.h"
#include "app/print_command.h"
#include "app/print_service.h"
#include "app/toolbar_customize_dialog.h"
#include "app/var.h"
#include "cases/case_keeper.h"
#include "document/document_kind.h"
#include "forms/document_forms.h"
#include "forms/formview.h"
#include "forms/frmhchi.h"
#include "forms/frminin.h"
#include "forms/particulars_window.h"
#include "forms/prompts.h"
#include "forms/screen_font.h"
#include "forms/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace mivo {
namespace {

// A toolbar button that shows its picture only, named by its key.
QAction* toolbarButton(QObject* parent, const QString& key, const char* image) {
    auto* button = new QAction(QIcon(QString::fromLatin1(image)), key, parent);
    button->setObjectName(key);
    return button;
}

// The button's tooltip names the keys of the menu command it stands for.
void showShortcut(QAction* button, const QAction* command) {
    button->setToolTip(QStringLiteral("%1 (%2)").arg(
        button->text(), command->shortcut().toString(QKeySequence::NativeText)));
}

} // namespace

MDIForm1::MDIForm1(std::unique_ptr<Prompts> prompts, QWidget* parent)
    : QMainWindow(parent), mdiArea_(new QMdiArea(this)), printService_(systemPrintService()),
      prompts_(std::move(prompts)) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Mivo書類発行"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/mivo.svg")));
    mdiArea_->setBackground(palette().brush(QPalette::Dark)); // the application-workspace colour
    // A document window larger than the area is scrolled to, never left cut off.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    new MdiViewKeeper(mdiArea_);
    setCentralWidget(mdiArea_);

    createActions();
    createToolBar();
    createMenus();
    resize(twipsSize(9900, 8430, this));

    // The work area shows the current case while no document is open.
    overview_ = new CaseOverview(cases_->keeper(), mdiArea_->viewport());
    mdiArea_->viewport()->installEventFilter(this);
    connect(overview_, &CaseOverview::openRequested, this, [this](DocumentKind kind) {
        if (!document_.isOpen())
            openDocument(kind);
    });
    const auto follow = [this] {
        overview_->setVisible(!document_.isOpen());
        if (overview_->isVisible())
            overview_->refresh();
    };
    CaseKeeper& keeper = cases_->keeper();
    connect(&document_, &CurrentDocument::titleChanged, overview_, follow);
    connect(&keeper, &CaseKeeper::currentCaseChanged, overview_, follow);
    connect(&keeper, &CaseKeeper::printedChanged, overview_, follow);
    connect(&particulars_, &CaseParticulars::changed, overview_, follow);
    follow();
    placeOverview();
}

// The document windows use this window's document, particulars and prompts: they close while
// all of these are still here, as they do when the window itself is closed.
MDIForm1::~MDIForm1() { mdiArea_->closeAllSubWindows(); }

void MDIForm1::setPrintService(std::unique_ptr<PrintService> service) {
    printService_ = std::move(service);
}

void MDIForm1::createActions() {
    cases_ = std::make_unique<CaseCommands>(*this, document_, *prompts_,
                                            [this] { return closeDocumentToContinue(); });

    sinki_ = namedAction(this, "sinki", QStringLiteral("新規作成(&N)"));
    sinki_->setShortcut(QKeySequence::New);
    connect(sinki_, &QAction::triggered, this, &MDIForm1::newDocument);

    mneprint_ = namedAction(this, "mneprint", QStringLiteral("印刷(&P)"));
    mneprint_->setShortcut(QKeySequence::Print);
    connect(mneprint_, &QAction::triggered, this, &MDIForm1::print);

    // Closes the active document window through its own closing steps, as its 閉じる does.
    close_ = namedAction(this, "close", QStringLiteral("閉じる(&C)"));
    close_->setShortcut(Qt::CTRL | Qt::Key_F4);
    // It acts on the active document window; with none it has nothing to close.
    close_->setEnabled(false);
    connect(mdiArea_, &QMdiArea::subWindowActivated, close_,
            [this](QMdiSubWindow* window) { close_->setEnabled(window != nullptr); });
    connect(close_, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* window = mdiArea_->activeSubWindow())
            window->close();
    });
    // Some platforms bind Ctrl+F4 in the window's own menu as well; two owners of one key
    // would leave it doing nothing.
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (!window || !window->systemMenu())
            return;
        for (QAction* action : window->systemMenu()->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeAll(close_->shortcut()) > 0)
                action->setShortcuts(keys);
        }
    });

    exit_ = namedAction(this, "exit", QStringLiteral("アプリケーションの終了(&X)"));
    exit_->setShortcut(Qt::CTRL | Qt::Key_Q);
    connect(exit_, &QAction::triggered, this, &QWidget::close);

    mnuCustomize_ =
        namedAction(this, "mnuCustomize", QStringLiteral("ツールバーのカスタマイズ(&C)"));
    connect(mnuCustomize_, &QAction::triggered, this, &MDIForm1::customizeToolbar);

    ver_ = namedAction(this, "ver", QStringLiteral("バージョン情報"));
    connect(ver_, &QAction::triggered, this, &MDIForm1::showVersion);
    keys_ = namedAction(this, "keys", QStringLiteral("キーボード操作(&K)"));
    connect(keys_, &QAction::triggered, this, [this] { showKeyboardHelp(*menuBar(), this); });

    QAction* newButton = toolbarButton(this, QStringLiteral("新規作成"), ":/icons/new.svg");
    connect(newButton, &QAction::triggered, this, &MDIForm1::newDocument);
    QAction* printButton = toolbarButton(this, QStringLiteral("印刷"), ":/icons/print.svg");
    connect(printButton, &QAction::triggered, this, &MDIForm1::print);
    particularsCommands_ = new ParticularsCommands(this, document_, particulars_, *prompts_);

    output_ = new OutputCommands(
        this, document_, [this]() -> PrintService& { return *printService_; }, *prompts_,
        cases_->keeper());
    QAction* previewButton =
        toolbarButton(this, QStringLiteral("印刷プレビュー"), ":/icons/preview.svg");
    connect(previewButton, &QAction::triggered, output_->preview(), &QAction::trigger);
    history_ = new EditHistory(
        document_, particulars_,
        [this](QWidget* box) {
            const QWidget* top = box->window();
            return top == this || qobject_cast<const ParticularsWindow*>(top) != nullptr;
        },
        this);
    particularsCommands_->setWindowActions({history_->undoAction(), history_->redoAction()});
    connectCase();
    toolbarButtons_ = {newButton, printButton, previewButton,
                       particularsCommands_->toolbarButton()};
    showShortcut(newButton, sinki_);
    showShortcut(printButton, mneprint_);
    showShortcut(previewButton, output_->preview());
    showShortcut(particularsCommands_->toolbarButton(), particularsCommands_->showAction());

    savedFile_ = new QLabel(this);
    savedFile_->setObjectName(QStringLiteral("savedFile"));
    statusBar()->addPermanentWidget(savedFile_);
    connect(savedFile_, &QLabel::linkActivated, this,
            [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
    connect(output_, &OutputCommands::savedTo, this, &MDIForm1::showSavedFile);
    connect(output_, &OutputCommands::printed, &cases_->keeper(), &CaseKeeper::recordPrinted);
}

// Where the file went, and a link that opens its folder.
void MDIForm1::showSavedFile(const QString& path) {
    const QFileInfo file(path);
    savedFile_->setText(QStringLiteral("%1 に保存しました。<a href=\"%2\">フォルダを開く</a>")
                            .arg(QDir::toNativeSeparators(file.absoluteFilePath()).toHtmlEscaped(),
                                 file.absolutePath().toHtmlEscaped()));
    savedFile_->setToolTip(QDir::toNativeSeparators(file.absoluteFilePath()));
}

bool MDIForm1::closeDocumentToContinue() {
    if (!document_.isOpen())
        return true;
    if (!prompts_->ask(this, QStringLiteral("開いている書類を閉じて続けますか？")))
        return false;
    mdiArea_->closeAllSubWindows();
    return !document_.isOpen();
}

void MDIForm1::placeOverview() { overview_->setGeometry(mdiArea_->viewport()->rect()); }

bool MDIForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdiArea_->viewport() && event->type() == QEvent::Resize)
        placeOverview();
    return QMainWindow::eventFilter(watched, event);
}

// The current case holds the particulars and names the files saved from it.
void MDIForm1::connectCase() {
    CaseKeeper& keeper = cases_->keeper();
    connect(&particulars_, &CaseParticulars::changed, &keeper,
            [this, &keeper] { keeper.setParticulars(particulars_.particulars()); });
    connect(&keeper, &CaseKeeper::particularsChanged, &particulars_, &CaseParticulars::set);
    // Another case: its history starts here.
    connect(&keeper, &CaseKeeper::particularsChanged, history_, &EditHistory::restart);
    connect(history_, &EditHistory::drawingRestored, this, [this, &keeper] {
        keeper.drawingChanged();
        output_->drawingChanged();
        for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
            if (auto* form = qobject_cast<Frmhchi*>(window->widget()))
                form->showDrawing();
        }
    });
}

void MDIForm1::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("file"));
    file->addAction(sinki_);
    file->addActions(cases_->actions());
    file->addAction(mneprint_);
    file->addAction(output_->printTo());
    file->addAction(output_->preview());
    file->addAction(close_);
    file->addSeparator();
    file->addAction(output_->saveAsPdf());
    file->addAction(output_->saveAsImage());
    file->addAction(output_->printCase());
    file->addAction(output_->checkFirst());
    file->addSeparator();
    file->addAction(particularsCommands_->showAction());
    file->addAction(particularsCommands_->importAction());
    file->addAction(particularsCommands_->refillAction());
    file->addSeparator();
    file->addActions(cases_->recentActions());
    file->addSeparator()->setObjectName(QStringLiteral("mnuSep"));
    file->addAction(exit_);
    connect(file, &QMenu::aboutToShow, this, &MDIForm1::updateFileMenu);
    connect(&document_, &CurrentDocument::titleChanged, this, &MDIForm1::updateFileMenu);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    edit->addAction(history_->undoAction());
    edit->addAction(history_->redoAction());

    // The toolbar's own show/hide action keeps its tick and the toolbar's visibility together.
    QAction* mnuToolbar = Toolbar1_->toggleViewAction();
    mnuToolbar->setObjectName(QStringLiteral("mnuToolbar"));
    mnuToolbar->setText(QStringLiteral("ツールバー(&T)"));
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    view->addAction(mnuToolbar);
    view->addAction(mnuCustomize_);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&A)"));
    help->setObjectName(QStringLiteral("help"));
    help->addAction(keys_);
    help->addAction(ver_);
}

void MDIForm1::createToolBar() {
    Toolbar1_ = addToolBar(QStringLiteral("ツールバー"));
    Toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1_->setMovable(false);
    Toolbar1_->setFloatable(false);
    Toolbar1_->setIconSize(QSize(16, 16));
    Toolbar1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1_->setFixedHeight(twipsToPixels(420, this));
    Toolbar1_->addActions(toolbarButtons_);

    // The title of the open document, in large type on the toolbar. The holder reaches above
    // the toolbar's top edge, so its upper part is cut off; it is no part of the toolbar's
    // layout and stays where it is whatever the buttons are.
    Frame1_ = new QFrame(Toolbar1_);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setFrameShape(QFrame::NoFrame);
    Frame1_->setGeometry(twipsRect(3240, -120, 3135, 495, this));
    Label1_ = new QLabel(document_.title(), Frame1_);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setGeometry(twipsRect(240, 170, 2415, 375, this));
    Label1_->setFont(screenFont(15.75, true));
    connect(&document_, &CurrentDocument::titleChanged, Label1_, &QLabel::setText);
}

// Print from the menu can act only on an open document; the toolbar's button stays enabled.
// Decided again whenever the document changes, so that Ctrl+P is never left dead.
// The list before printing may have been turned off from the list itself.
void MDIForm1::updateFileMenu() {
    mneprint_->setEnabled(document_.isOpen());
    output_->checkFirst()->setChecked(checkingBeforePrinting());
}

void MDIForm1::newDocument() {
    if (!closeDocumentToContinue())
        return;
    // Disabling a window disables its child windows too, tool windows included, so the chooser
    // has no parent: it stays usable while this window is disabled, and enables it again
    // when it closes.
    auto* chooser = new Formview(document_, this);
    connect(chooser, &Formview::picked, this, &MDIForm1::openDocument);
    connect(chooser, &Formview::closed, this, [this] { setEnabled(true); });
    connect(this, &QObject::destroyed, chooser, [chooser] { delete chooser; });
    chooser->show();
    setEnabled(false);
}

// Records the pick as the open document and shows its window: the data-entry form on the
// document's page, or the picture form, which records the layout drawing itself.
void MDIForm1::openDocument(DocumentKind kind) {
    const std::optional<int> page = documentForm(kind).page;
    if (!page) {
        openPictureForm();
        return;
    }
    const DocumentInfo& info = documentInfo(kind);
    document_.setTitle(info.title);
    auto* form = new Frminin(document_, particulars_, *prompts_);
    cases_->fillDocument();
    mdiArea_->addSubWindow(form);
    form->setWindowTitle(info.title);
    form->showPage(*page);
    form->show();
    history_->restart();
}

// One picture form at a time: an open one is brought forward.
void MDIForm1::openPictureForm() {
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (qobject_cast<Frmhchi*>(window->widget())) {
            mdiArea_->setActiveSubWindow(window);
            return;
        }
    }
    auto* form = new Frmhchi(document_, *prompts_, &particulars_);
    cases_->fillDocument();
    connect(form, &Frmhchi::drawingChanged, cases_.get(), &CaseCommands::drawingChanged);
    connect(form, &Frmhchi::drawingChanged, history_, &EditHistory::drawingChanged);
    connect(form, &Frmhchi::drawingChanged, output_, &OutputCommands::drawingChanged);
    QMdiSubWindow* window = mdiArea_->addSubWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(twipsSize(Frmhchi::OuterWidth, Frmhchi::OuterHeight, form));
    window->show();
    history_->restart();
}

void MDIForm1::print() {
    const QString done = printDocument(this, document_, *printService_, *prompts_);
    if (done.isEmpty())
        return;
    statusBar()->showMessage(done);
    cases_->keeper().recordPrinted({document_.title()});
}

void MDIForm1::customizeToolbar() {
    auto* dialog = new ToolbarCustomizeDialog(Toolbar1_, toolbarButtons_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

// One version box at a time; asking again brings the open one forward.
void MDIForm1::showVersion() {
    if (!var_)
        var_ = new var;
    var_->show();
    var_->raise();
    var_->activateWindow();
}

// The document windows close first, each through its own closing steps. A disabled window
// (the chooser is open) takes no commands, its close box included.
void MDIForm1::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (!cases_->mayClose()) {
        event->ignore();
        return;
    }
    mdiArea_->closeAllSubWindows();
    for (const QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (child->isVisible()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace mivo
