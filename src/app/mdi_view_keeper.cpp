#include "app/mdi_view_keeper.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

namespace mivo {
namespace {

// How far `inside` must move along one axis to lie within [0, length), with a little room
// around it; the start wins when it does not fit.
int shiftInto(int start, int end, int length) {
    constexpr int kRoom = 8;
    if (end + kRoom > length)
        return std::min(end + kRoom - length, start - kRoom);
    if (start < kRoom)
        return start - kRoom;
    return 0;
}

} // namespace

MdiViewKeeper::MdiViewKeeper(QMdiArea* area) : QObject(area), area_(area) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { bringIntoView(now); });
    // A window wider than the area is placed flush with its right edge, its first boxes out of
    // sight; a new window starts at the top-left corner instead, where reading starts.
    connect(area, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* window) {
        if (!window || window->property("mivoPlaced").toBool())
            return;
        window->setProperty("mivoPlaced", true);
        if (window->x() < 0 || window->y() < 0)
            window->move(std::max(window->x(), 0), std::max(window->y(), 0));
    });
    // The area gives each bar a page as large as the windows, which draws the thumb far too
    // large; a page is what the viewport shows. Set after the area has set its own.
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
        connect(
            bar, &QScrollBar::rangeChanged, this,
            [this, bar] {
                const QSize visible = area_->viewport()->size();
                bar->setPageStep(bar->orientation() == Qt::Horizontal ? visible.width()
                                                                      : visible.height());
            },
            Qt::QueuedConnection);
    }
}

void MdiViewKeeper::bringIntoView(QWidget* focused) {
    QWidget* viewport = area_->viewport();
    if (!focused || !viewport->isAncestorOf(focused))
        return;
    const QRect box(focused->mapTo(viewport, QPoint(0, 0)), focused->size());
    const int dx = shiftInto(box.left(), box.right(), viewport->width());
    const int dy = shiftInto(box.top(), box.bottom(), viewport->height());
    QScrollBar* horizontal = area_->horizontalScrollBar();
    QScrollBar* vertical = area_->verticalScrollBar();
    horizontal->setValue(horizontal->value() + dx);
    vertical->setValue(vertical->value() + dy);
}

} // namespace mivo
