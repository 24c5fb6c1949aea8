#pragma once

#include "document/site_plan.h"

#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace mivo {

// Every length of the selected object, typed exactly: a value takes effect on Enter, on
// leaving its box or on a step of its arrows, and is reported as the whole changed object.
class SitePlanProperties : public QWidget {
    Q_OBJECT
  public:
    explicit SitePlanProperties(QWidget* parent = nullptr);

    // Shows `object`, or nothing to edit when it is null.
    void showObject(const PlanObject* object);

  signals:
    void edited(const PlanObject& changed);

  private:
    QDoubleSpinBox* lengthBox(double minimum);
    void commit();

    std::optional<PlanObject> shown_;
    QFormLayout* form_;
    QLabel* kind_;
    QDoubleSpinBox* x_;
    QDoubleSpinBox* y_;
    QDoubleSpinBox* width_;
    QDoubleSpinBox* depth_;
    QDoubleSpinBox* length_;
    QDoubleSpinBox* angle_;
    QLineEdit* label_;
    QCheckBox* applied_;
    QDoubleSpinBox* height_;
    QDoubleSpinBox* heightLimit_;
    QLineEdit* points_;
    bool filling_ = false;
};

// The name an object kind goes by on screen: 区画, 建物 ...
QString planKindName(PlanKind kind);

} // namespace mivo
