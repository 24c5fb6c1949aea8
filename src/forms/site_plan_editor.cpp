#include "forms/site_plan_editor.h"

#include "document/file_output.h"
#include "document/site_plan_file.h"
#include "document/site_plan_templates.h"
#include "forms/prompts.h"
#include "forms/site_plan_properties.h"
#include "forms/site_plan_scene.h"
#include "particulars/particulars.h"
#include "print/site_plan_checks.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGraphicsView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QSvgGenerator>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace mivo {
namespace {

constexpr char kMimeType[] = "application/x-mivo-site-plan";
constexpr double kPasteOffset = 1.0; // metres: a copy lands beside its original

void shift(PlanObject& o, QPointF by) {
    o.x += by.x();
    o.y += by.y();
    for (QPointF& p : o.points)
        p += by;
}

PlanObject made(PlanKind kind, QPointF at) {
    PlanObject o;
    o.kind = kind;
    o.x = std::round(at.x());
    o.y = std::round(at.y());
    switch (kind) {
    case PlanKind::Bay:
        o.width = 2.5;
        o.depth = 5.0;
        break;
    case PlanKind::Building:
        o.width = 8;
        o.depth = 6;
        o.label = QStringLiteral("建物");
        break;
    case PlanKind::Ground:
        o.width = 5;
        o.depth = 5;
        o.label = QStringLiteral("空地");
        break;
    case PlanKind::Road:
        o.length = 20;
        o.width = 6;
        o.label = QStringLiteral("市道");
        break;
    case PlanKind::Entrance:
        o.width = 3;
        break;
    case PlanKind::Text:
        o.label = QStringLiteral("文字");
        break;
    case PlanKind::Line:
    case PlanKind::Dimension:
        o.points = {{o.x, o.y}, {o.x + 5, o.y}};
        break;
    case PlanKind::Vehicle:
        o.width = 1.7;
        o.depth = 4.7;
        o.height = 1.55;
        o.label = QStringLiteral("車両");
        break;
    case PlanKind::Unknown:
        break;
    }
    return o;
}

QString describe(const PlanObject& o) {
    QString text = planKindName(o.kind);
    if (!o.label.isEmpty())
        text += QStringLiteral("　") + o.label;
    if (o.applied)
        text += QStringLiteral("（保管場所）");
    return text;
}

} // namespace

// One change of the whole plan: what it was and what it became, with the selection of each.
class PlanChange : public QUndoCommand {
  public:
    PlanChange(SitePlanEditor& editor, const QString& what, SitePlan before, SitePlan after,
               QList<int> selectedBefore, QList<int> selectedAfter)
        : QUndoCommand(what), editor_(editor), before_(std::move(before)), after_(std::move(after)),
          selectedBefore_(std::move(selectedBefore)), selectedAfter_(std::move(selectedAfter)) {}
    void undo() override { editor_.setPlan(before_, selectedBefore_); }
    void redo() override { editor_.setPlan(after_, selectedAfter_); }

  private:
    SitePlanEditor& editor_;
    SitePlan before_, after_;
    QList<int> selectedBefore_, selectedAfter_;
};

SitePlanEditor::SitePlanEditor(const SitePlan& plan, Prompts& prompts, QWidget* parent)
    : QDialog(parent), plan_(plan), prompts_(prompts), undo_(new QUndoStack(this)),
      scene_(new SitePlanScene(this)) {
    setWindowTitle(QStringLiteral("配置図を描く"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);

    auto* splitter = new QSplitter(this);
    view_ = new QGraphicsView(scene_, splitter);
    view_->setObjectName(QStringLiteral("planView"));
    view_->setDragMode(QGraphicsView::RubberBandDrag);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    view_->setFocusPolicy(Qt::StrongFocus);
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);

    auto* side = new QWidget(splitter);
    auto* sideLayout = new QVBoxLayout(side);
    auto* whole = new QGroupBox(QStringLiteral("図全体"), side);
    auto* wholeLayout = new QHBoxLayout(whole);
    north_ = new QCheckBox(QStringLiteral("方位(&O)"), whole);
    northAngle_ = new QDoubleSpinBox(whole);
    northAngle_->setRange(-360, 360);
    northAngle_->setDecimals(1);
    northAngle_->setSingleStep(15);
    northAngle_->setSuffix(QStringLiteral("°"));
    northAngle_->setKeyboardTracking(false);
    northAngle_->setAccessibleName(QStringLiteral("北の向き"));
    wholeLayout->addWidget(north_);
    wholeLayout->addWidget(northAngle_);
    sideLayout->addWidget(whole);

    objects_ = new QListWidget(side);
    objects_->setObjectName(QStringLiteral("planObjects"));
    objects_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    objects_->setAccessibleName(QStringLiteral("物の一覧"));
    sideLayout->addWidget(new QLabel(QStringLiteral("物の一覧(&B)"), side));
    qobject_cast<QLabel*>(sideLayout->itemAt(1)->widget())->setBuddy(objects_);
    sideLayout->addWidget(objects_, 2);

    auto* properties = new QGroupBox(QStringLiteral("寸法と位置"), side);
    auto* propertiesLayout = new QVBoxLayout(properties);
    properties_ = new SitePlanProperties(properties);
    propertiesLayout->addWidget(properties_);
    sideLayout->addWidget(properties);

    sideLayout->addWidget(new QLabel(QStringLiteral("確認"), side));
    findings_ = new QListWidget(side);
    findings_->setObjectName(QStringLiteral("planFindings"));
    findings_->setFocusPolicy(Qt::NoFocus);
    sideLayout->addWidget(findings_, 1);
    splitter->addWidget(view_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    side->setMinimumWidth(330);
    layout->addWidget(splitter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("決定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SitePlanEditor::reject);
    layout->addWidget(buttons);
    buildMenus(bar);

    connect(scene_, &SitePlanScene::dragged, this, &SitePlanEditor::moveSelection);
    connect(scene_, &SitePlanScene::resized, this, [this](int index, double along, double across) {
        change(QStringLiteral("大きさの変更"), [&](SitePlan& plan) {
            PlanObject& o = plan.objects[size_t(index)];
            (o.kind == PlanKind::Road ? o.length : o.width) = along;
            (o.kind == PlanKind::Road ? o.width : o.depth) = across;
        });
    });
    connect(scene_, &QGraphicsScene::selectionChanged, this, [this] {
        if (!refreshing_)
            refreshSide();
    });
    connect(objects_, &QListWidget::itemSelectionChanged, this, [this] {
        if (refreshing_)
            return;
        QList<int> rows;
        for (const QListWidgetItem* item : objects_->selectedItems())
            rows << item->data(Qt::UserRole).toInt();
        select(rows);
    });
    connect(properties_, &SitePlanProperties::edited, this, [this](const PlanObject& changed) {
        const QList<int> selected = selection();
        if (selected.size() != 1)
            return;
        const int index = selected.first();
        change(QStringLiteral("寸法の変更"),
               [&](SitePlan& plan) { plan.objects[size_t(index)] = changed; });
    });
    const auto northChanged = [this] {
        if (refreshing_)
            return;
        const std::optional<double> north =
            north_->isChecked() ? std::optional(northAngle_->value()) : std::nullopt;
        change(QStringLiteral("方位"), [&](SitePlan& plan) { plan.north = north; });
    };
    connect(north_, &QCheckBox::toggled, this, northChanged);
    connect(northAngle_, &QDoubleSpinBox::valueChanged, this, northChanged);

    resize(1100, 720);
    setPlan(plan_, {});
    view_->setFocus();
}

SitePlanEditor::~SitePlanEditor() {
    // The scene's items deselect as they go, and the commands refer to this editor: neither
    // may reach it while it is taken apart.
    scene_->disconnect(this);
    undo_->clear();
}

void SitePlanEditor::buildMenus(QMenuBar* bar) {
    const auto action = [this](QMenu* menu, const QString& text, const QKeySequence& keys,
                               auto slot) {
        QAction* a = menu->addAction(text);
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    action(file, QStringLiteral("開く(&O)..."), QKeySequence::Open, [this] { openFile(); });
    action(file, QStringLiteral("名前を付けて保存(&A)..."), QKeySequence::Save,
           [this] { saveFile(); });
    file->addSeparator();
    action(file, QStringLiteral("SVG として書き出す(&S)..."), {}, [this] { exportPicture(true); });
    action(file, QStringLiteral("PNG として書き出す(&P)..."), {}, [this] { exportPicture(false); });

    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    QAction* undo = undo_->createUndoAction(this, QStringLiteral("元に戻す"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = undo_->createRedoAction(this, QStringLiteral("やり直す"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    action(edit, QStringLiteral("切り取り(&T)"), QKeySequence::Cut, [this] {
        copySelection();
        deleteSelection();
    });
    action(edit, QStringLiteral("コピー(&C)"), QKeySequence::Copy, [this] { copySelection(); });
    action(edit, QStringLiteral("貼り付け(&P)"), QKeySequence::Paste, [this] { paste(); });
    action(edit, QStringLiteral("複製(&D)"), QKeySequence(Qt::CTRL | Qt::Key_D),
           [this] { duplicateSelection(); });
    action(edit, QStringLiteral("削除(&L)"), QKeySequence::Delete, [this] { deleteSelection(); });
    edit->addSeparator();
    action(edit, QStringLiteral("右へ 90° 回す(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R),
           [this] { rotateSelection(90); });
    action(edit, QStringLiteral("左へ 90° 回す(&F)"),
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), [this] { rotateSelection(-90); });
    action(edit, QStringLiteral("すべて選ぶ(&A)"), QKeySequence::SelectAll, [this] {
        QList<int> all;
        for (size_t i = 0; i < plan_.objects.size(); ++i)
            all << int(i);
        select(all);
    });

    QMenu* adding = bar->addMenu(QStringLiteral("追加(&A)"));
    for (const PlanKind kind :
         {PlanKind::Bay, PlanKind::Building, PlanKind::Line, PlanKind::Ground, PlanKind::Road,
          PlanKind::Entrance, PlanKind::Text, PlanKind::Dimension, PlanKind::Vehicle}) {
        action(adding, planKindName(kind), {}, [this, kind] { add(kind); });
    }
    adding->addSeparator();
    action(adding, QStringLiteral("区画を並べる(&N)..."), {}, [this] {
        bool ok = false;
        const int count = QInputDialog::getInt(this, QStringLiteral("区画を並べる"),
                                               QStringLiteral("区画の数"), 4, 1, 100, 1, &ok);
        if (ok)
            addBayRow(count);
    });

    QMenu* templates = bar->addMenu(QStringLiteral("テンプレート(&T)"));
    const auto all = sitePlanTemplates();
    for (size_t i = 0; i < all.size(); ++i) {
        action(templates, QString::fromUtf16(all[i].name), {}, [this, i] { useTemplate(int(i)); });
    }

    QMenu* show = bar->addMenu(QStringLiteral("表示(&V)"));
    action(show, QStringLiteral("拡大(&I)"), QKeySequence::ZoomIn, [this] { zoom(1.25); });
    action(show, QStringLiteral("縮小(&O)"), QKeySequence::ZoomOut, [this] { zoom(0.8); });
    action(show, QStringLiteral("全体を表示(&W)"), QKeySequence(Qt::CTRL | Qt::Key_0),
           [this] { fitView(); });
}

void SitePlanEditor::change(const QString& what, const std::function<void(SitePlan&)>& edit) {
    SitePlan after = plan_;
    edit(after);
    QList<int> selected;
    for (const int i : selection()) {
        if (i < int(after.objects.size()))
            selected << i;
    }
    undo_->push(new PlanChange(*this, what, plan_, std::move(after), selection(), selected));
}

void SitePlanEditor::setPlan(const SitePlan& plan, const QList<int>& selected) {
    plan_ = plan;
    refreshing_ = true;
    scene_->setPlan(plan_, selected);
    refreshing_ = false;
    refreshSide();
}

QList<int> SitePlanEditor::selection() const { return scene_->selectedIndices(); }

void SitePlanEditor::select(const QList<int>& indices) {
    refreshing_ = true;
    scene_->selectIndices(indices);
    refreshing_ = false;
    refreshSide();
}

// The list, the properties of the one selected object, the north arrow and the findings.
void SitePlanEditor::refreshSide() {
    refreshing_ = true;
    const QList<int> selected = selection();
    // The rows stay and take the objects' names in turn: after a move nothing of the list
    // is made again.
    int row = 0;
    for (size_t i = 0; i < plan_.objects.size(); ++i) {
        if (plan_.objects[i].kind == PlanKind::Unknown)
            continue;
        QListWidgetItem* item = objects_->item(row++);
        if (!item)
            item = new QListWidgetItem(objects_);
        if (const QString text = describe(plan_.objects[i]); item->text() != text)
            item->setText(text);
        if (item->data(Qt::UserRole) != int(i))
            item->setData(Qt::UserRole, int(i));
        item->setSelected(selected.contains(int(i)));
    }
    while (objects_->count() > row)
        delete objects_->takeItem(row);
    if (!selected.isEmpty()) {
        for (int row = 0; row < objects_->count(); ++row) {
            if (objects_->item(row)->isSelected()) {
                objects_->scrollToItem(objects_->item(row));
                objects_->setCurrentRow(row, QItemSelectionModel::NoUpdate);
                break;
            }
        }
    }
    properties_->showObject(selected.size() == 1 ? &plan_.objects[size_t(selected.first())]
                                                 : nullptr);
    scene_->showHandle(selected.size() == 1 ? selected.first() : -1);
    north_->setChecked(bool(plan_.north));
    northAngle_->setEnabled(bool(plan_.north));
    northAngle_->setValue(plan_.north.value_or(0));
    findings_->clear();
    const QStringList findings = sitePlanFindings(plan_);
    findings_->addItems(findings.isEmpty() ? QStringList{QStringLiteral("指摘はありません。")}
                                           : findings);
    refreshing_ = false;
}

QPointF SitePlanEditor::viewCentreMetres() const {
    return view_->mapToScene(view_->viewport()->rect().center()) / SitePlanScene::kUnitsPerMetre;
}

void SitePlanEditor::setCaseVehicle(const Particulars& particulars) {
    // Typed values may be full-width; NFKC makes them ASCII digits.
    const auto metres = [&](Particular particular) -> std::optional<double> {
        bool ok = false;
        const double cm = particulars.value(particular)
                              .normalized(QString::NormalizationForm_KC)
                              .trimmed()
                              .toDouble(&ok);
        return ok && cm > 0 && cm < 10000 ? std::optional(cm / 100) : std::nullopt;
    };
    const std::optional<double> length = metres(Particular::VehicleLength);
    const std::optional<double> width = metres(Particular::VehicleWidth);
    caseVehicle_ = PlanObject{};
    if (length && width) {
        caseVehicle_.width = *width;
        caseVehicle_.depth = *length;
        caseVehicle_.height = metres(Particular::VehicleHeight);
    }
}

void SitePlanEditor::add(PlanKind kind) {
    const int index = int(plan_.objects.size());
    PlanObject object = made(kind, viewCentreMetres());
    if (kind == PlanKind::Vehicle && caseVehicle_.width > 0) {
        object.width = caseVehicle_.width;
        object.depth = caseVehicle_.depth;
        object.height = caseVehicle_.height;
    }
    change(QStringLiteral("%1の追加").arg(planKindName(kind)),
           [&](SitePlan& plan) { plan.objects.push_back(object); });
    select({index});
}

void SitePlanEditor::addBayRow(int count) {
    double width = 2.5, depth = 5.0;
    const QList<int> selected = selection();
    if (selected.size() == 1 && plan_.objects[size_t(selected.first())].kind == PlanKind::Bay) {
        width = plan_.objects[size_t(selected.first())].width;
        depth = plan_.objects[size_t(selected.first())].depth;
    }
    int next = 1;
    for (const PlanObject& o : plan_.objects) {
        bool numbered = false;
        const int number = o.label.toInt(&numbered);
        if (o.kind == PlanKind::Bay && numbered)
            next = std::max(next, number + 1);
    }
    const QPointF at = viewCentreMetres();
    const int first = int(plan_.objects.size());
    change(QStringLiteral("区画を並べる"), [&](SitePlan& plan) {
        for (PlanObject& bay :
             bayRow(std::round(at.x()), std::round(at.y()), count, width, depth, next))
            plan.objects.push_back(std::move(bay));
    });
    QList<int> added;
    for (int i = first; i < int(plan_.objects.size()); ++i)
        added << i;
    select(added);
}

void SitePlanEditor::useTemplate(int index) {
    const SitePlan made = sitePlanTemplates()[size_t(index)].make();
    change(QStringLiteral("テンプレート"), [&](SitePlan& plan) { plan = made; });
    fitView();
}

void SitePlanEditor::moveSelection(QPointF metres) {
    const QList<int> selected = selection();
    if (selected.isEmpty())
        return;
    change(QStringLiteral("移動"), [&](SitePlan& plan) {
        for (const int i : selected)
            shift(plan.objects[size_t(i)], metres);
    });
}

void SitePlanEditor::rotateSelection(double degrees) {
    const QList<int> selected = selection();
    if (selected.isEmpty())
        return;
    change(QStringLiteral("回転"), [&](SitePlan& plan) {
        for (const int i : selected) {
            PlanObject& o = plan.objects[size_t(i)];
            if (o.points.isEmpty()) {
                o.angle = std::fmod(o.angle + degrees, 360.0);
                continue;
            }
            // Drawn by points: turned about their first.
            const QPointF about = o.points.first();
            const QTransform turn = QTransform()
                                        .translate(about.x(), about.y())
                                        .rotate(degrees)
                                        .translate(-about.x(), -about.y());
            for (QPointF& p : o.points)
                p = turn.map(p);
        }
    });
}

void SitePlanEditor::duplicateSelection() {
    const QList<int> selected = selection();
    if (selected.isEmpty())
        return;
    std::vector<PlanObject> copies;
    for (const int i : selected)
        copies.push_back(plan_.objects[size_t(i)]);
    addCopies(QStringLiteral("複製"), copies);
}

// The copies go beside their originals and become the selection; the applied bay stays one.
void SitePlanEditor::addCopies(const QString& what, const std::vector<PlanObject>& objects) {
    const int first = int(plan_.objects.size());
    change(what, [&](SitePlan& plan) {
        for (PlanObject o : objects) {
            o.applied = o.applied && !plan.appliedBay();
            shift(o, {kPasteOffset, kPasteOffset});
            plan.objects.push_back(o);
        }
    });
    QList<int> added;
    for (int i = first; i < int(plan_.objects.size()); ++i)
        added << i;
    select(added);
}

void SitePlanEditor::deleteSelection() {
    const QList<int> selected = selection();
    if (selected.isEmpty())
        return;
    change(QStringLiteral("削除"), [&](SitePlan& plan) {
        for (auto i = selected.rbegin(); i != selected.rend(); ++i)
            plan.objects.erase(plan.objects.begin() + *i);
    });
    select({});
}

void SitePlanEditor::copySelection() {
    SitePlan copied;
    for (const int i : selection())
        copied.objects.push_back(plan_.objects[size_t(i)]);
    if (copied.objects.empty())
        return;
    auto* data = new QMimeData;
    const QByteArray json = sitePlanJson(copied);
    data->setData(QLatin1String(kMimeType), json);
    data->setText(QString::fromUtf8(json));
    QApplication::clipboard()->setMimeData(data);
}

void SitePlanEditor::paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QByteArray json = data->hasFormat(QLatin1String(kMimeType))
                                ? data->data(QLatin1String(kMimeType))
                                : data->text().toUtf8();
    const SitePlanRead read = readSitePlan(json, QStringLiteral("クリップボード"));
    if (!read.ok() || read.plan.objects.empty())
        return;
    if (plan_.objects.size() + read.plan.objects.size() > size_t(kSitePlanObjectLimit)) {
        prompts_.warn(this, QStringLiteral("配置図の物は %1 までです。").arg(kSitePlanObjectLimit));
        return;
    }
    addCopies(QStringLiteral("貼り付け"), read.plan.objects);
}

void SitePlanEditor::fitView() {
    const QRectF all = scene_->itemsBoundingRect();
    if (all.isEmpty()) {
        view_->resetTransform();
        view_->scale(4, 4);
        view_->centerOn(0, 0);
        return;
    }
    view_->fitInView(all.adjusted(-20, -20, 20, 20), Qt::KeepAspectRatio);
}

// Fitted once the view has its size: before that it is fitted into a few pixels.
void SitePlanEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        fitView();
}

void SitePlanEditor::zoom(double factor) { view_->scale(factor, factor); }

bool SitePlanEditor::eventFilter(QObject* watched, QEvent* event) {
    // Arrow keys move the selection when the drawing has the keyboard: 0.1 m, with Shift 1 m.
    if (watched == view_ && event->type() == QEvent::KeyPress && !selection().isEmpty()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const double step = key->modifiers() & Qt::ShiftModifier ? 1.0 : 0.1;
        const QPointF by = key->key() == Qt::Key_Left    ? QPointF(-step, 0)
                           : key->key() == Qt::Key_Right ? QPointF(step, 0)
                           : key->key() == Qt::Key_Up    ? QPointF(0, -step)
                           : key->key() == Qt::Key_Down  ? QPointF(0, step)
                                                         : QPointF();
        if (!by.isNull()) {
            moveSelection(by);
            return true;
        }
    }
    // Ctrl and the wheel zoom, as in other drawing programs.
    if (watched == view_->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            zoom(wheel->angleDelta().y() > 0 ? 1.25 : 0.8);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SitePlanEditor::reject() {
    if (!undo_->isClean() &&
        !prompts_.ask(this, QStringLiteral("描いた配置図の変更を捨てて閉じますか？")))
        return;
    QDialog::reject();
}

void SitePlanEditor::openFile() {
    const QString path = prompts_.openFileName(this, QStringLiteral("配置図 (*.json)|*.json"));
    if (path.isEmpty())
        return;
    const SitePlanRead read = loadSitePlanFile(QFile::encodeName(path));
    if (!read.ok()) {
        prompts_.warn(this, read.error);
        return;
    }
    change(QStringLiteral("開く"), [&](SitePlan& plan) { plan = read.plan; });
    fitView();
}

void SitePlanEditor::saveFile() {
    const QString path = prompts_.saveFileName(this, QStringLiteral("配置図.json"),
                                               QStringLiteral("配置図 (*.json)|*.json"));
    if (path.isEmpty())
        return;
    const FileWrite written = writeWholeFile(QFile::encodeName(path), sitePlanJson(plan_));
    if (!written.ok())
        prompts_.warn(this, written.error);
}

// The drawing as on screen at 1/100, without grid or selection, on white.
void SitePlanEditor::exportPicture(bool svg) {
    const QString path = svg ? prompts_.saveFileName(this, QStringLiteral("配置図.svg"),
                                                     QStringLiteral("SVG (*.svg)|*.svg"))
                             : prompts_.saveFileName(this, QStringLiteral("配置図.png"),
                                                     QStringLiteral("PNG (*.png)|*.png"));
    if (path.isEmpty())
        return;
    const QRectF all = scene_->itemsBoundingRect().adjusted(-5, -5, 5, 5);
    const QList<int> selected = selection();
    scene_->setPlain(true);
    scene_->clearSelection();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (svg) {
        // One unit is a millimetre at 1/100.
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(all.size().toSize());
        generator.setViewBox(QRectF(QPointF(), all.size()));
        generator.setResolution(qRound(25.4 * 1)); // a pixel a millimetre
        generator.setTitle(QStringLiteral("配置図"));
        QPainter painter(&generator);
        scene_->render(&painter, QRectF(QPointF(), all.size()), all);
    } else {
        constexpr double kPixelsPerUnit = 200 / 25.4; // 200 dpi on paper at 1/100
        QImage image((all.size() * kPixelsPerUnit).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(kPixelsPerUnit * 1000));
        image.setDotsPerMeterY(qRound(kPixelsPerUnit * 1000));
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            scene_->render(&painter, QRectF(QPointF(), QSizeF(image.size())), all);
        }
        image.save(&buffer, "PNG");
    }
    scene_->setPlain(false);
    select(selected);
    const FileWrite written = writeWholeFile(QFile::encodeName(path), bytes);
    if (!written.ok())
        prompts_.warn(this, written.error);
}

} // namespace mivo
