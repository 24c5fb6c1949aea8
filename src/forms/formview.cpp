#include "forms/formview.h"

#include "document/current_document.h"
#include "forms/document_forms.h"
#include "forms/svg_picture.h"
#include "forms/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QToolButton>
#include <QWindow>

#include <array>

namespace mivo {
namespace {

struct Tab {
    const char16_t* caption;
    const char* key;
    const char16_t* toolTip;
};

const std::array<Tab, 2> kTabs{{
    {u"車 庫 証 明", "sya", u"車庫証明書用の書類"},
    {u"名 義 変 更", "meigi", u"名義変更用の書類"},
}};

} // namespace

// No parent: a disabled window disables its child windows too, and the chooser must stay
// usable while it keeps the main window disabled.
Formview::Formview(CurrentDocument& document, QWidget* owner)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Formview"));
    setWindowTitle(QStringLiteral(" 新規書類"));
    // The client area as designed; with the platform's small title bar and border the window
    // comes to about 8700 × 6000 twips outside.
    setFixedSize(twipsSize(8610, 5685, this));

    auto* picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(twipsRect(381, 240, 7935, 1575, this));
    picture1->setPixmap(svgPicture(QStringLiteral("banner.svg"), picture1->size()));

    const QRect strip = twipsRect(300, 2040, 8055, 3015, this);
    auto* pane = new QFrame(this);
    tabStrip_ = new QTabBar(this);
    tabStrip_->setObjectName(QStringLiteral("TabStrip1"));
    tabStrip_->setExpanding(false);
    for (const Tab& tab : kTabs) {
        const int i = tabStrip_->addTab(QString::fromUtf16(tab.caption));
        tabStrip_->setTabData(i, QString::fromLatin1(tab.key));
        tabStrip_->setTabToolTip(i, QString::fromUtf16(tab.toolTip));
    }
    tabStrip_->setGeometry(strip.left(), strip.top(), strip.width(),
                           tabStrip_->sizeHint().height());
    pane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    pane->setGeometry(strip.adjusted(0, tabStrip_->height() - 1, 0, 0));

    std::array<QFrame*, 2> pages{};
    for (size_t i = 0; i < pages.size(); ++i) {
        pages[i] = new QFrame(this);
        pages[i]->setObjectName(QStringLiteral("Frame") + QLatin1StringView(kTabs[i].key));
        pages[i]->setGeometry(twipsRect(600, 2640, 7461, 2175, this));
        QPalette palette = pages[i]->palette();
        palette.setBrush(QPalette::Window, palette.brush(QPalette::Dark)); // application workspace
        pages[i]->setPalette(palette);
        pages[i]->setAutoFillBackground(true);
    }

    // cmdsyo(1) to cmdsyo(6) in the table's order, three to a tab's page.
    QWidget* previous = tabStrip_;
    std::array<int, 2> filled{};
    int index = 0;
    for (const DocumentForm& form : documentForms()) {
        const int slot = filled[size_t(form.chooserTab)]++;
        auto* cmdsyo = new QToolButton(pages[size_t(form.chooserTab)]);
        cmdsyo->setObjectName(QStringLiteral("cmdsyo(%1)").arg(++index));
        cmdsyo->setGeometry(twipsRect(360 + 2400 * slot, 240, 2025, 1700, this));
        cmdsyo->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        cmdsyo->setText(QString::fromUtf16(form.caption));
        cmdsyo->setIconSize(QSize(115, 80));
        cmdsyo->setIcon(QIcon(svgPicture(QString::fromLatin1(form.picture), QSize(115, 80))));
        connect(cmdsyo, &QToolButton::clicked, this, [this, kind = form.kind] { pick(kind); });
        setTabOrder(previous, cmdsyo);
        previous = cmdsyo;
    }

    auto* command1 = new QPushButton(QStringLiteral("キャンセル"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(twipsRect(6840, 5200, 1500, 375, this));
    connect(command1, &QPushButton::clicked, this, [this, &document] {
        document.setTitle(QString());
        close();
    });
    setTabOrder(previous, command1);
    // Esc answers as キャンセル does.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, command1,
            &QPushButton::click);

    connect(tabStrip_, &QTabBar::currentChanged, this, &Formview::tabClick);
    tabClick();

    move(owner->screen()->availableGeometry().center() - rect().center());
    winId();
    if (QWindow* ownerWindow = owner->windowHandle())
        windowHandle()->setTransientParent(ownerWindow);
}

// Brings the page of the selected tab, the control named "Frame" and the tab's key, to the
// front. The page behind is hidden as well: covered buttons would still take the focus on Tab
// and open a document the user cannot see.
void Formview::tabClick() {
    for (int i = 0; i < tabStrip_->count(); ++i) {
        const QString name = QStringLiteral("Frame") + tabStrip_->tabData(i).toString();
        if (auto* page = findChild<QWidget*>(name)) {
            const bool front = i == tabStrip_->currentIndex();
            page->setVisible(front);
            if (front)
                page->raise();
        }
    }
}

void Formview::pick(DocumentKind kind) {
    emit picked(kind);
    close();
}

// The main window is disabled: the keyboard belongs to the chooser, starting on its first
// document.
void Formview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    if (auto* first = findChild<QToolButton*>(QStringLiteral("cmdsyo(1)"));
        first && first->isVisible())
        first->setFocus(Qt::ActiveWindowFocusReason);
}

// Enter opens the document whose button has the focus, as Space does; on キャンセル it cancels.
void Formview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Formview::closeEvent(QCloseEvent* event) {
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace mivo
