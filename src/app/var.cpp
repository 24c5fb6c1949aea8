#include "app/var.h"

#include "forms/screen_font.h"
#include "forms/twips.h"
#include "mivo_version.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace mivo {
namespace {

QLabel* addLabel(QWidget* box, const char* name, const QString& text, QRect twips) {
    auto* label = new QLabel(text, box);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(twipsRect(twips.left(), twips.top(), twips.width(), twips.height(), box));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

var::var(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("var"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Qt lets a tool window close with the last main window; the version box is a window of
    // its own, and the run goes on while it is open.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(twipsSize(5535, 3255, this));

    QLabel* picture = addLabel(this, "Picture1", {}, {200, 90, 920, 2120});
    picture->setPixmap(QIcon(QStringLiteral(":/icons/version.svg")).pixmap(picture->size()));

    addLabel(this, "Label7", QStringLiteral("自動車登録書類の作成・印刷ソフトウェア"),
             {1440, 120, 3735, 255});
    addLabel(this, "Label6", QStringLiteral("https://mivo.example/"), {1440, 360, 3735, 255});

    QLabel* name = addLabel(this, "Label5", QStringLiteral("Mivo書類発行"), {1440, 960, 3855, 735});
    name->setFont(screenFont(24));
    QPalette blue = name->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    name->setPalette(blue);

    addLabel(this, "Label4", QStringLiteral("Version %1").arg(QLatin1String(kVersion)),
             {4320, 1680, 1215, 255});

    QLabel* notice =
        addLabel(this, "Label1",
                 QStringLiteral("© 2026 Mivo 開発チーム。本ソフトウェアは現状のまま提供され、"
                                "いかなる保証もありません。"),
                 {240, 2400, 3615, 735});
    notice->setWordWrap(true);

    Command1_ = new QPushButton(QStringLiteral("OK"), this);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setGeometry(twipsRect(4080, 2475, 1320, 375, this));
    Command1_->setDefault(true);
    connect(Command1_, &QPushButton::clicked, this, &QWidget::close);
}

void var::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    move(screen()->availableGeometry().center() - rect().center());
    Command1_->setFocus();
}

// The etched rule above the notice: a line in the text colour with one in the window
// background colour just under it.
void var::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    const int left = twipsToPixels(120, this);
    const int right = twipsToPixels(5400, this);
    const int top = twipsToPixels(2280, this);
    const int lower = top + qMax(1, twipsToPixels(15, this));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(left, top, right, top);
    painter.setPen(palette().color(QPalette::Base));
    painter.drawLine(left, lower, right, lower);
}

} // namespace mivo
