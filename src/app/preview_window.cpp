#include "app/preview_window.h"

#include "document/current_document.h"
#include "print/output.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QPageSize>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

namespace mivo {
namespace {

// A4 landscape, the only paper.
const QSizeF kPaperInches = QPageSize(QPageSize::A4).size(QPageSize::Inch).transposed();

} // namespace

PreviewWindow::PreviewWindow(const CurrentDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Tool), document_(document), zooms_(new QActionGroup(this)),
      area_(new QScrollArea(this)), sheet_(new QLabel) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("印刷プレビュー - %1").arg(document.title()));

    auto* bar = new QToolBar(this);
    QAction* print =
        bar->addAction(QIcon(QStringLiteral(":/icons/print.svg")), QStringLiteral("印刷(&P)"), this,
                       &PreviewWindow::printRequested);
    print->setObjectName(QStringLiteral("previewPrint"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addSeparator();
    for (const auto& [zoom, text, name] :
         {std::tuple{Zoom::FitPage, QStringLiteral("ページ全体(&A)"), "fitPage"},
          {Zoom::FitWidth, QStringLiteral("幅に合わせる(&W)"), "fitWidth"},
          {Zoom::Actual, QStringLiteral("100%(&1)"), "actualSize"}}) {
        QAction* action = bar->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(zoom == zoom_);
        zooms_->addAction(action);
        connect(action, &QAction::triggered, this, [this, zoom] { setZoom(zoom); });
    }
    bar->addSeparator();
    bar->addAction(QStringLiteral("閉じる(&C)"), this, &QWidget::close)
        ->setObjectName(QStringLiteral("previewClose"));
    // A toolbar gives its buttons no access keys of their own: Alt and the underlined letter
    // trigger them here, and Esc closes the preview as 閉じる does.
    for (QAction* action : bar->actions()) {
        if (const QKeySequence key = QKeySequence::mnemonic(action->text()); !key.isEmpty())
            action->setShortcut(key);
    }
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);

    sheet_->setObjectName(QStringLiteral("previewPage"));
    sheet_->setAlignment(Qt::AlignCenter);
    area_->setWidget(sheet_);
    area_->setWidgetResizable(true);
    area_->setAlignment(Qt::AlignCenter);
    area_->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(area_);

    redraw_.setSingleShot(true);
    redraw_.setInterval(0);
    connect(&redraw_, &QTimer::timeout, this, &PreviewWindow::draw);
    connect(&document.fields(), &FieldStore::valueChanged, &redraw_, qOverload<>(&QTimer::start));
    connect(&document, &CurrentDocument::titleChanged, this, &QWidget::close);
    resize(1000, 760);
}

void PreviewWindow::setZoom(Zoom zoom) {
    zoom_ = zoom;
    zooms_->actions().at(int(zoom))->setChecked(true);
    draw();
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (zoom_ != Zoom::Actual)
        redraw_.start();
}

bool PreviewWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        redraw_.start();
    return QWidget::event(event);
}

// Device pixels per inch of paper for the zoom: the screen's own at 100%, else what fits.
double PreviewWindow::dotsPerInch() const {
    const double ratio = devicePixelRatioF();
    if (zoom_ == Zoom::Actual)
        return logicalDpiX() * ratio;
    const int margin = 16;
    const QSize room = area_->viewport()->size() - QSize(margin, margin);
    const double byWidth = qMax(1, room.width()) / kPaperInches.width();
    const double fitting =
        zoom_ == Zoom::FitWidth
            ? (room.width() - area_->verticalScrollBar()->sizeHint().width()) / kPaperInches.width()
            : qMin(byWidth, qMax(1, room.height()) / kPaperInches.height());
    return qMax(10.0, fitting) * ratio;
}

void PreviewWindow::draw() {
    redraw_.stop();
    if (!document_.isOpen())
        return;
    Output out(Destination::picture(qRound(dotsPerInch())));
    PrintOutcome drawn = out.add(document_);
    if (!drawn.failed())
        drawn = out.finish();
    if (drawn.failed()) {
        page_ = QImage();
        sheet_->setPixmap(QPixmap());
        sheet_->setText(QStringLiteral("ページを描けませんでした。\n%1").arg(drawn.reason));
    } else {
        page_ = out.image();
        page_.setDevicePixelRatio(devicePixelRatioF());
        sheet_->setPixmap(QPixmap::fromImage(page_));
    }
    emit pageDrawn();
}

} // namespace mivo
