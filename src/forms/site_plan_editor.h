#pragma once

#include "document/site_plan.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QGraphicsView;
class QListWidget;
class QMenuBar;
class QUndoStack;

namespace mivo {

class Particulars;
class Prompts;
class SitePlanProperties;
class SitePlanScene;

// The 配置図 editor: the plan drawn to scale, dragged and typed, every change undoable. Opened
// with a plan; the caller takes plan() when it is accepted.
class SitePlanEditor : public QDialog {
    Q_OBJECT
  public:
    SitePlanEditor(const SitePlan& plan, Prompts& prompts, QWidget* parent = nullptr);
    ~SitePlanEditor() override;

    const SitePlan& plan() const { return plan_; }
    // The case's vehicle (長さ, 幅 and 高さ in cm): a vehicle added has its size, when the
    // length and width are known.
    void setCaseVehicle(const Particulars& particulars);
    QUndoStack& undoStack() { return *undo_; }

    // One undoable change of the plan, named `what` in the undo menu.
    void change(const QString& what, const std::function<void(SitePlan&)>& edit);
    QList<int> selection() const;
    void select(const QList<int>& indices);

    // Editing commands, as the menus and keys give them.
    void add(PlanKind kind);
    void addBayRow(int count);
    void useTemplate(int index);
    void moveSelection(QPointF metres);
    void rotateSelection(double degrees);
    void duplicateSelection();
    void deleteSelection();
    void copySelection();
    void paste();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    friend class PlanChange;
    void setPlan(const SitePlan& plan, const QList<int>& selected);
    void buildMenus(QMenuBar* bar);
    void refreshSide();
    void addCopies(const QString& what, const std::vector<PlanObject>& objects);
    void fitView();
    void zoom(double factor);
    void openFile();
    void saveFile();
    void exportPicture(bool svg);
    QPointF viewCentreMetres() const;
    PlanObject caseVehicle_; // a vehicle as the case gives it; width 0 when unknown

    SitePlan plan_;
    Prompts& prompts_;
    QUndoStack* undo_;
    SitePlanScene* scene_;
    QGraphicsView* view_;
    QListWidget* objects_;
    SitePlanProperties* properties_;
    QCheckBox* north_;
    QDoubleSpinBox* northAngle_;
    QListWidget* findings_;
    bool refreshing_ = false;
};

} // namespace mivo
