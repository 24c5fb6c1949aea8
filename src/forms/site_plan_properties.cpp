#include "forms/site_plan_properties.h"

#include "document/site_plan_file.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace mivo {
namespace {

// Which boxes each kind shows, and what its width and label are called there.
struct KindRows {
    PlanKind kind;
    const char16_t* name;
    bool place, width, depth, length, label, applied, height, heightLimit, points;
    const char16_t* widthName;
    const char16_t* labelName;
};
constexpr KindRows kRows[] = {
    {PlanKind::Bay, u"区画", true, true, true, false, true, true, false, true, false, u"幅",
     u"番号"},
    {PlanKind::Building, u"建物", true, true, true, false, true, false, false, false, true, u"幅",
     u"名前"},
    {PlanKind::Line, u"塀・境界", false, false, false, false, false, false, false, false, true, u"",
     u""},
    {PlanKind::Ground, u"空地", true, true, true, false, true, false, false, false, false, u"幅",
     u"名前"},
    {PlanKind::Road, u"道路", true, true, false, true, true, false, false, false, false, u"幅員",
     u"名前"},
    {PlanKind::Entrance, u"出入口", true, true, false, false, false, false, false, false, false,
     u"幅", u""},
    {PlanKind::Text, u"文字", true, false, false, false, true, false, false, false, false, u"",
     u"文字"},
    {PlanKind::Dimension, u"寸法線", false, false, false, false, false, false, false, false, true,
     u"", u""},
    {PlanKind::Vehicle, u"車両", true, true, true, false, true, false, true, false, false, u"幅",
     u"名前"},
};

const KindRows* rowsOf(PlanKind kind) {
    for (const KindRows& rows : kRows) {
        if (rows.kind == kind)
            return &rows;
    }
    return nullptr;
}

QString pointsText(const QList<QPointF>& points) {
    QStringList pairs;
    for (const QPointF& p : points)
        pairs << QStringLiteral("%1, %2").arg(p.x()).arg(p.y());
    return pairs.join(QStringLiteral("; "));
}

// "x, y; x, y; ..." back into points; nothing when a pair is not two numbers in range.
std::optional<QList<QPointF>> parsePoints(const QString& text) {
    QList<QPointF> points;
    for (const QString& pair : text.split(u';', Qt::SkipEmptyParts)) {
        const QStringList xy = pair.split(u',');
        bool okX = false, okY = false;
        const double x = xy.value(0).trimmed().toDouble(&okX);
        const double y = xy.value(1).trimmed().toDouble(&okY);
        if (xy.size() != 2 || !okX || !okY || std::abs(x) > kSitePlanExtentLimit ||
            std::abs(y) > kSitePlanExtentLimit)
            return std::nullopt;
        points.append({x, y});
    }
    if (points.size() < 2)
        return std::nullopt;
    return points;
}

} // namespace

QString planKindName(PlanKind kind) {
    const KindRows* rows = rowsOf(kind);
    return rows ? QString::fromUtf16(rows->name) : QStringLiteral("（不明）");
}

SitePlanProperties::SitePlanProperties(QWidget* parent) : QWidget(parent) {
    form_ = new QFormLayout(this);
    kind_ = new QLabel(this);
    x_ = lengthBox(-kSitePlanExtentLimit);
    y_ = lengthBox(-kSitePlanExtentLimit);
    width_ = lengthBox(0);
    depth_ = lengthBox(0);
    length_ = lengthBox(0);
    angle_ = new QDoubleSpinBox(this);
    angle_->setRange(-360, 360);
    angle_->setDecimals(1);
    angle_->setSingleStep(90);
    angle_->setSuffix(QStringLiteral("°"));
    angle_->setKeyboardTracking(false);
    connect(angle_, &QDoubleSpinBox::valueChanged, this, &SitePlanProperties::commit);
    label_ = new QLineEdit(this);
    connect(label_, &QLineEdit::editingFinished, this, &SitePlanProperties::commit);
    applied_ = new QCheckBox(QStringLiteral("申請する保管場所"), this);
    connect(applied_, &QCheckBox::toggled, this, &SitePlanProperties::commit);
    height_ = lengthBox(0);
    heightLimit_ = lengthBox(0);
    for (QDoubleSpinBox* box : {height_, heightLimit_})
        box->setSpecialValueText(QStringLiteral("なし"));
    points_ = new QLineEdit(this);
    points_->setToolTip(QStringLiteral("x, y; x, y; ... (m)"));
    connect(points_, &QLineEdit::editingFinished, this, &SitePlanProperties::commit);

    form_->addRow(QStringLiteral("種類"), kind_);
    form_->addRow(QStringLiteral("x(&X)"), x_);
    form_->addRow(QStringLiteral("y(&Y)"), y_);
    form_->addRow(QStringLiteral("幅(&W)"), width_);
    form_->addRow(QStringLiteral("奥行き(&D)"), depth_);
    form_->addRow(QStringLiteral("長さ(&L)"), length_);
    form_->addRow(QStringLiteral("角度(&G)"), angle_);
    form_->addRow(QStringLiteral("名前(&N)"), label_);
    form_->addRow(QString(), applied_);
    form_->addRow(QStringLiteral("高さ(&H)"), height_);
    form_->addRow(QStringLiteral("高さ制限(&H)"), heightLimit_);
    form_->addRow(QStringLiteral("点(&P)"), points_);
    showObject(nullptr);
}

QDoubleSpinBox* SitePlanProperties::lengthBox(double minimum) {
    auto* box = new QDoubleSpinBox(this);
    box->setRange(minimum, kSitePlanExtentLimit);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" m"));
    box->setKeyboardTracking(false);
    connect(box, &QDoubleSpinBox::valueChanged, this, &SitePlanProperties::commit);
    return box;
}

void SitePlanProperties::showObject(const PlanObject* object) {
    filling_ = true;
    const KindRows* rows = object ? rowsOf(object->kind) : nullptr;
    shown_ = object ? std::optional(*object) : std::nullopt;
    kind_->setText(object ? planKindName(object->kind) : QStringLiteral("（選ばれていません）"));
    const auto row = [&](QWidget* box, bool shown) { form_->setRowVisible(box, rows && shown); };
    row(x_, rows && rows->place);
    row(y_, rows && rows->place);
    row(angle_, rows && rows->place);
    row(width_, rows && rows->width);
    row(depth_, rows && rows->depth);
    row(length_, rows && rows->length);
    row(label_, rows && rows->label);
    row(applied_, rows && rows->applied);
    row(height_, rows && rows->height);
    row(heightLimit_, rows && rows->heightLimit);
    row(points_, rows && rows->points);
    if (rows) {
        if (auto* caption = qobject_cast<QLabel*>(form_->labelForField(width_)))
            caption->setText(QString::fromUtf16(rows->widthName) + QStringLiteral("(&W)"));
        if (auto* caption = qobject_cast<QLabel*>(form_->labelForField(label_)))
            caption->setText(QString::fromUtf16(rows->labelName) + QStringLiteral("(&N)"));
        x_->setValue(object->x);
        y_->setValue(object->y);
        width_->setValue(object->width);
        depth_->setValue(object->depth);
        length_->setValue(object->length);
        angle_->setValue(object->angle);
        label_->setText(object->label);
        applied_->setChecked(object->applied);
        height_->setValue(object->height.value_or(0));
        heightLimit_->setValue(object->heightLimit.value_or(0));
        points_->setText(pointsText(object->points));
    }
    filling_ = false;
}

void SitePlanProperties::commit() {
    if (filling_ || !shown_)
        return;
    PlanObject changed = *shown_;
    changed.x = x_->value();
    changed.y = y_->value();
    changed.width = width_->value();
    changed.depth = depth_->value();
    changed.length = length_->value();
    changed.angle = angle_->value();
    changed.label = label_->text();
    changed.applied = applied_->isChecked();
    changed.height = height_->value() > 0 ? std::optional(height_->value()) : std::nullopt;
    changed.heightLimit =
        heightLimit_->value() > 0 ? std::optional(heightLimit_->value()) : std::nullopt;
    if (form_->isRowVisible(points_)) {
        if (const auto points = parsePoints(points_->text()))
            changed.points = *points;
        else
            points_->setText(pointsText(changed.points)); // back to what holds
    }
    // Values the boxes round (the third decimal of a file's value) stay as they were.
    const auto same = [](double a, double b) { return std::abs(a - b) < 0.005; };
    if (same(changed.x, shown_->x))
        changed.x = shown_->x;
    if (same(changed.y, shown_->y))
        changed.y = shown_->y;
    if (same(changed.width, shown_->width))
        changed.width = shown_->width;
    if (same(changed.depth, shown_->depth))
        changed.depth = shown_->depth;
    if (same(changed.length, shown_->length))
        changed.length = shown_->length;
    if (std::abs(changed.angle - shown_->angle) < 0.05)
        changed.angle = shown_->angle;
    emit edited(changed);
}

} // namespace mivo
