#pragma once

#include "document/site_plan.h"

#include <QGraphicsScene>

namespace mivo {

// The plan on screen, drawn with the same marks as on paper at 1/100: one scene unit is a
// millimetre there, a tenth of a metre on the ground. Each object is an item that the user
// selects and drags; a drag snaps to 0.1 m and to the edges of the other objects, and is
// reported once, when it ends, for the editor to make it an undoable change.
class ResizeHandle;

class SitePlanScene : public QGraphicsScene {
    Q_OBJECT
  public:
    static constexpr double kUnitsPerMetre = 10;
    static constexpr double kSnapMetres = 0.1;
    static constexpr double kGridMetres = 0.5;
    static constexpr double kEdgeSnapMetres = 0.25; // how near an edge pulls

    explicit SitePlanScene(QObject* parent = nullptr);

    // Draws `plan` afresh; the objects at `selected` (indices) stay selected.
    void setPlan(const SitePlan& plan, const QList<int>& selected);
    // The indices of the selected objects, in the plan's order.
    QList<int> selectedIndices() const;
    void selectIndices(const QList<int>& indices);
    // Without the grid and selection marks (for export).
    void setPlain(bool plain);

    // The drag snapped for an object covering `bounds` (metres) moved by `delta` (metres).
    QPointF snapped(const QRectF& bounds, QPointF delta) const;

    // A handle on the far corner of the object at `index` that resizes it with the mouse, for
    // the kinds that have a width and a depth (a road: its length and 幅員); none for -1.
    void showHandle(int index);

  signals:
    // The selected objects were dragged by `delta` metres.
    void dragged(QPointF delta);
    // The handle was dragged: the object at `index` is to be `along` × `across` metres (its
    // width and depth; a road's length and 幅員).
    void resized(int index, double along, double across);

  protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

  private:
    friend class PlanItem;
    friend class ResizeHandle;
    std::vector<QRectF> edges_; // every object's bounds, metres
    std::vector<PlanObject> objects_;
    bool plain_ = false;
    class ResizeHandle* handle_ = nullptr;
};

} // namespace mivo
