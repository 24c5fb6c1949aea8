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

// The area gives its bars a page as large as the windows, which draws the thumb far too large,
// and gives it again whenever it lays the windows out, the range unchanged; this bar's page is
// always what the viewport shows.
class VisiblePageBar : public QScrollBar {
  public:
    VisiblePageBar(Qt::Orientation orientation, QAbstractScrollArea* area)
        : QScrollBar(orientation), area_(area) {}

  protected:
    void sliderChange(SliderChange change) override {
        const QSize visible = area_->viewport()->size();
        const int page = orientation() == Qt::Horizontal ? visible.width() : visible.height();
        if (change != SliderValueChange && pageStep() != page)
            setPageStep(page); // comes back here as a steps change, the page now right
        else
            QScrollBar::sliderChange(change);
    }

  private:
    QAbstractScrollArea* area_;
};

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
    area->setHorizontalScrollBar(new VisiblePageBar(Qt::Horizontal, area));
    area->setVerticalScrollBar(new VisiblePageBar(Qt::Vertical, area));
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
