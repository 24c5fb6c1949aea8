#pragma once

#include <QObject>

class QMdiArea;
class QWidget;

namespace mivo {

// Keeps a small main window usable from the keyboard: a new document window starts at the
// top-left corner, the box that takes the focus is scrolled into view, and the area's scroll
// bars show how much of the windows is in view (a page is the visible part).
class MdiViewKeeper : public QObject {
    Q_OBJECT
  public:
    explicit MdiViewKeeper(QMdiArea* area);

  private:
    void bringIntoView(QWidget* focused);

    QMdiArea* area_;
};

} // namespace mivo
