#include "forms/site_plan_scene.h"

#include "print/site_plan_marks.h"
#include "print/typefaces.h"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace mivo {
namespace {

// Texts are painted at 100 pixels to the em and scaled down: sizes here are fractions of a
// unit. Made once, not for every text of every paint.
const QFont& labelFont() {
    static const QFont font = [] {
        QFont f(substituteFamily(QStringLiteral("ＭＳ　ゴシック")));
        f.setPixelSize(100);
        return f;
    }();
    return font;
}

double labelAscent() {
    static const double ascent = QFontMetricsF(labelFont()).ascent();
    return ascent;
}

} // namespace

// One object: its marks as printed at 1/100, in scene units.
class PlanItem : public QGraphicsItem {
  public:
    enum { Type = UserType + 1 };
    int type() const override { return Type; }

    PlanItem(int index, const PlanObject& object, const QRectF& metres)
        : index_(index), metres_(metres), object_(object) {
        SitePlan one;
        one.objects.push_back(object);
        marks_ = planMarks(one, 100);
        setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
        setZValue(index); // stacked in the plan's order, whichever item was made last
        // A drag then repaints from pixmaps instead of playing every mark again.
        setCacheMode(DeviceCoordinateCache);
        setData(0, index);
    }
    int index() const { return index_; }
    const PlanObject& object() const { return object_; }
    const QRectF& metres() const { return metres_; }

    QRectF boundingRect() const override { return marks_.bounds.adjusted(-1, -1, 1, 1); }

    QPainterPath shape() const override {
        QPainterPath path;
        path.addRect(marks_.bounds.adjusted(-0.5, -0.5, 0.5, 0.5));
        return path;
    }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->setRenderHint(QPainter::Antialiasing);
        for (const PlanMark& mark : marks_.marks)
            paintMark(*painter, mark);
        const auto* plan = static_cast<const SitePlanScene*>(scene());
        if (isSelected() && !plan->plain_) {
            QPen pen(QColor(0, 90, 200), 0, Qt::DashLine);
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(marks_.bounds.adjusted(-0.6, -0.6, 0.6, 0.6));
        }
    }

  protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override {
        if (change == ItemPositionChange && scene()) {
            const auto* plan = static_cast<const SitePlanScene*>(scene());
            const QPointF delta = value.toPointF() / SitePlanScene::kUnitsPerMetre;
            return plan->snapped(metres_, delta) * SitePlanScene::kUnitsPerMetre;
        }
        return QGraphicsItem::itemChange(change, value);
    }

  private:
    static void paintMark(QPainter& p, const PlanMark& mark) {
        switch (mark.type) {
        case PlanMark::Type::Stroke: {
            // Pen dots of 300 dpi, in millimetres on paper.
            QPen pen(Qt::black, mark.pen * 25.4 / 300);
            if (mark.style == PenStyle::Dotted)
                pen.setDashPattern({2.0, 3.0});
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(mark.points);
            break;
        }
        case PlanMark::Type::Fill:
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPolygon(mark.points);
            break;
        case PlanMark::Type::Text: {
            const double scale = mark.size * 25.4 / 72 / 100;
            p.save();
            p.translate(mark.points.first());
            p.rotate(mark.angle);
            p.scale(scale, scale);
            p.setFont(labelFont());
            p.setPen(Qt::black);
            p.drawText(QPointF(0, labelAscent()), mark.text);
            p.restore();
            break;
        }
        }
    }

    int index_;
    QRectF metres_;
    PlanObject object_;
    PlanMarks marks_;
};

// A square of a few pixels on an object's far corner; dragged, it shows the new outline dashed
// and reports the new size, snapped to 0.1 m, when the mouse is let go.
class ResizeHandle : public QGraphicsItem {
  public:
    static constexpr double kHalfPixels = 4;

    // `outline` is the scene's, for the new size while dragged.
    explicit ResizeHandle(QGraphicsPolygonItem* outline) : outline_(*outline) {
        setFlag(ItemIgnoresTransformations);
        setZValue(1e9);
        setCursor(Qt::SizeFDiagCursor);
        outline_.setPen(QPen(QColor(0, 90, 200), 0, Qt::DashLine));
        outline_.setZValue(1e9);
        outline_.setVisible(false);
    }

    // Shows the handle on `object` (the one at `index`) when it can be resized.
    void attach(int index, const PlanObject& object) {
        if (!resizable(object))
            return detach();
        index_ = index;
        object_ = object;
        outline_.setVisible(false);
        setPos(corner(along(object_), across(object_)));
        setVisible(true);
    }
    void detach() {
        index_ = -1;
        outline_.setVisible(false);
        setVisible(false);
    }

    QRectF boundingRect() const override {
        return {-kHalfPixels, -kHalfPixels, 2 * kHalfPixels, 2 * kHalfPixels};
    }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->setPen(QPen(QColor(0, 90, 200), 1));
        painter->setBrush(Qt::white);
        painter->drawRect(boundingRect().adjusted(0.5, 0.5, -0.5, -0.5));
    }

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override { event->accept(); }
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override {
        // The mouse in the object's own frame, snapped to 0.1 m, never below 0.1 m.
        const QPointF local =
            object_.placement().inverted().map(event->scenePos() / SitePlanScene::kUnitsPerMetre);
        const auto snap = [](double metres) {
            return std::max(SitePlanScene::kSnapMetres,
                            std::round(metres / SitePlanScene::kSnapMetres) *
                                SitePlanScene::kSnapMetres);
        };
        size_ = {snap(local.x()), snap(local.y())};
        setPos(corner(size_.width(), size_.height()));
        outline_.setPolygon(
            object_.placement().map(QPolygonF(QRectF(QPointF(), size_))) *
            QTransform::fromScale(SitePlanScene::kUnitsPerMetre, SitePlanScene::kUnitsPerMetre));
        outline_.setVisible(true);
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent*) override {
        outline_.setVisible(false);
        if (size_.isValid() && size_ != QSizeF(along(object_), across(object_)))
            emit static_cast<SitePlanScene*>(scene())->resized(index_, size_.width(),
                                                               size_.height());
        size_ = {};
    }

  private:
    static bool resizable(const PlanObject& o) {
        switch (o.kind) {
        case PlanKind::Bay:
        case PlanKind::Ground:
        case PlanKind::Road:
        case PlanKind::Vehicle:
            return true;
        case PlanKind::Building:
            return o.points.size() < 3;
        default:
            return false;
        }
    }
    static double along(const PlanObject& o) {
        return o.kind == PlanKind::Road ? o.length : o.width;
    }
    static double across(const PlanObject& o) {
        return o.kind == PlanKind::Road ? o.width : o.depth;
    }
    QPointF corner(double along, double across) const {
        return object_.placement().map(QPointF(along, across)) * SitePlanScene::kUnitsPerMetre;
    }

    int index_ = -1;
    PlanObject object_;
    QSizeF size_; // while dragged
    QGraphicsPolygonItem& outline_;
};

SitePlanScene::SitePlanScene(QObject* parent) : QGraphicsScene(parent) {
    setItemIndexMethod(QGraphicsScene::BspTreeIndex);
    handle_ = new ResizeHandle(addPolygon({}));
    handle_->setVisible(false);
    addItem(handle_);
}

void SitePlanScene::showHandle(int index) {
    if (index >= 0 && size_t(index) < objects_.size())
        handle_->attach(index, objects_[size_t(index)]);
    else
        handle_->detach();
}

void SitePlanScene::setPlan(const SitePlan& plan, const QList<int>& selected) {
    // The item of an object that did not change stays: a change to one object of a large plan
    // makes one item again, not all of them.
    std::vector<PlanItem*> kept(plan.objects.size(), nullptr);
    for (QGraphicsItem* graphic : items()) {
        auto* item = qgraphicsitem_cast<PlanItem*>(graphic);
        if (!item)
            continue;
        const size_t i = size_t(item->index());
        if (i < kept.size() && item->pos().isNull() && item->object() == plan.objects[i])
            kept[i] = item;
        else
            delete item;
    }
    edges_.clear();
    objects_ = plan.objects;
    handle_->detach();
    for (size_t i = 0; i < plan.objects.size(); ++i) {
        const QRectF bounds = plan.objects[i].outline().boundingRect();
        edges_.push_back(bounds);
        if (plan.objects[i].kind == PlanKind::Unknown)
            continue;
        PlanItem* item = kept[i];
        if (!item) {
            item = new PlanItem(int(i), plan.objects[i], bounds);
            addItem(item);
        }
        item->setSelected(selected.contains(int(i)));
    }
    // Room around the plan to drag into.
    const QRectF all = itemsBoundingRect();
    setSceneRect(all.adjusted(-300, -300, 300, 300));
}

QList<int> SitePlanScene::selectedIndices() const {
    QList<int> indices;
    for (QGraphicsItem* item : selectedItems())
        indices << static_cast<PlanItem*>(item)->index();
    std::ranges::sort(indices);
    return indices;
}

void SitePlanScene::selectIndices(const QList<int>& indices) {
    const QSignalBlocker quiet(this);
    for (QGraphicsItem* graphic : items()) {
        if (auto* item = qgraphicsitem_cast<PlanItem*>(graphic))
            item->setSelected(indices.contains(item->index()));
    }
    emit selectionChanged();
}

void SitePlanScene::setPlain(bool plain) {
    plain_ = plain;
    // An export is drawn from the marks themselves, never from the screen's pixmaps.
    for (QGraphicsItem* item : items())
        item->setCacheMode(plain ? QGraphicsItem::NoCache : QGraphicsItem::DeviceCoordinateCache);
    if (plain)
        handle_->detach();
    update();
}

QPointF SitePlanScene::snapped(const QRectF& bounds, QPointF delta) const {
    const auto axis = [&](double low, double high, double d, auto edgesOf) {
        double best = kEdgeSnapMetres, result = std::round(d / kSnapMetres) * kSnapMetres;
        for (const QRectF& other : edges_) {
            if (other == bounds)
                continue;
            const auto [a, b] = edgesOf(other);
            for (const double edge : {a, b}) {
                for (const double mine : {low, high}) {
                    const double pull = edge - (mine + d);
                    if (std::abs(pull) < best) {
                        best = std::abs(pull);
                        result = d + pull;
                    }
                }
            }
        }
        return result;
    };
    return {axis(bounds.left(), bounds.right(), delta.x(),
                 [](const QRectF& r) {
                     return std::pair{r.left(), r.right()};
                 }),
            axis(bounds.top(), bounds.bottom(), delta.y(), [](const QRectF& r) {
                return std::pair{r.top(), r.bottom()};
            })};
}

void SitePlanScene::drawBackground(QPainter* painter, const QRectF& rect) {
    painter->fillRect(rect, Qt::white);
    if (plain_)
        return;
    const double step = kGridMetres * kUnitsPerMetre;
    // Too fine to see when zoomed far out: every metre, then every ten.
    const double onScreen = painter->transform().m11() * step;
    const double every = onScreen < 4 ? step * 20 : onScreen < 8 ? step * 2 : step;
    QPen pen(QColor(225, 230, 238), 0);
    painter->setPen(pen);
    for (double x = std::floor(rect.left() / every) * every; x < rect.right(); x += every)
        painter->drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
    for (double y = std::floor(rect.top() / every) * every; y < rect.bottom(); y += every)
        painter->drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
}

void SitePlanScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    QGraphicsScene::mouseReleaseEvent(event);
    for (QGraphicsItem* item : selectedItems()) {
        if (!item->pos().isNull()) {
            emit dragged(item->pos() / kUnitsPerMetre);
            return;
        }
    }
}

} // namespace mivo
