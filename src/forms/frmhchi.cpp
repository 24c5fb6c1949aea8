#include "forms/frmhchi.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_value.h"
#include "document/picture_file.h"
#include "document/picture_size.h"
#include "forms/blank_map.h"
#include "forms/caption_label.h"
#include "forms/location_controls.h"
#include "forms/location_map_box.h"
#include "forms/picture_box.h"
#include "forms/prompts.h"
#include "forms/screen_font.h"
#include "forms/site_plan_editor.h"
#include "forms/twips.h"
#include "forms/value_length.h"
#include "particulars/case_particulars.h"
#include "print/printer_surface.h"
#include "print/site_plan_print.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>

namespace mivo {
namespace {

// Geometry in twips from the top-left corner of the form's client area.
struct Place {
    int left, top, width, height;
};
constexpr Place kShape1{360, 480, 11175, 6135};                // outline around both halves
constexpr QPoint kLine1From{5955, 480}, kLine1To{5955, 6620};  // between the halves
constexpr QPoint kLine2From{360, 1095}, kLine2To{11520, 1095}; // under the half captions

constexpr qreal kCaptionPoints = 11.25;

// Shows the busy cursor while a large picture is decoded.
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};

// "*.jpg" as a pattern that matches the extension in any case: file dialogs compare names
// case-sensitively, and cameras and scanners write .JPG.
QString anyCase(QStringView suffix) {
    QString pattern = QStringLiteral("*.");
    for (QChar c : suffix)
        pattern += QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper());
    return pattern;
}

// The open dialog's choices, as description|pattern pairs: every picture the loader accepts,
// then one kind at a time. Both halves offer the same.
QString openDialogFilter() {
    struct Kind {
        const char16_t* description;
        std::initializer_list<QStringView> suffixes;
    };
    const Kind kinds[] = {
        {u"ビットマップイメージ(*.bmp)", {u"bmp"}},
        {u"GIF(*.gif)", {u"gif"}},
        {u"JPEG(*.jpg,*.jpeg)", {u"jpg", u"jpeg"}},
        {u"PNG(*.png)", {u"png"}},
    };
    QStringList all;
    QStringList choices;
    for (const Kind& kind : kinds) {
        QStringList patterns;
        for (QStringView suffix : kind.suffixes)
            patterns << anyCase(suffix);
        all << patterns;
        choices << QString::fromUtf16(kind.description) << patterns.join(u' ');
    }
    return (QStringList{QStringLiteral("すべての画像(*.bmp,*.gif,*.jpg,*.jpeg,*.png)"),
                        all.join(u' ')} +
            choices)
        .join(u'|');
}

} // namespace

Frmhchi::Frmhchi(CurrentDocument& document, Prompts& prompts, const CaseParticulars* particulars)
    : document_(document), prompts_(prompts), particulars_(particulars) {
    setWindowTitle(titleOf(DocumentKind::LayoutDrawing));
    buildControls();
    placeControls();
    drawing().clear();
    document_.setTitle(titleOf(DocumentKind::LayoutDrawing));
}

void Frmhchi::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showDrawing();
    if (!isAncestorOf(focusWidget()))
        ui_.Command1->setFocus();
}

void Frmhchi::buildControls() {
    const auto label = [](const char* name, QLabel* l) {
        l->setObjectName(QLatin1String(name));
        return l;
    };
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    const auto pictureBox = [this](const char* name) {
        auto* p = new PictureBox(this);
        p->setObjectName(QLatin1String(name));
        return p;
    };

    ui_.Label2 = label("Label2", new CaptionLabel(QStringLiteral("所　在　図　記　載　欄"), this));
    ui_.Label3 = label("Label3", new CaptionLabel(QStringLiteral("配　置　図　記　載　欄"), this));
    ui_.Label4 = label("Label4", new CaptionLabel(QStringLiteral("登録番号"), this));
    for (QLabel* caption : {ui_.Label2, ui_.Label3, ui_.Label4})
        caption->setFont(screenFont(kCaptionPoints));
    ui_.Label1 = label(
        "Label1",
        new QLabel(QStringLiteral("表示できる画像はbmp,gif,jpg,png形式です。") + QLatin1Char('\n') +
                       QStringLiteral("地図を表示させるには先に作成し保存しておく必要があります｡ "),
                   this));
    ui_.Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui_.Label1->setWordWrap(true);

    ui_.Command1 = button("Command1", QStringLiteral("地図を開く"));
    ui_.Command3 = button("Command3", QStringLiteral("キャンセル"));
    ui_.Command2 = button("Command2", QStringLiteral("地図を開く"));
    ui_.Command4 = button("Command4", QStringLiteral("キャンセル"));
    ui_.Command5 = button("Command5", QStringLiteral("地図を新規作成"));
    // Z (図): the form's other key is 距離(&D); the main window's menus hold F, E, V and A.
    ui_.Command6 = button("Command6", QStringLiteral("配置図を描く(&Z)…"));
    ui_.Command6->setToolTip(
        QStringLiteral("配置図をこのプログラムで縮尺どおりに描き、右半分に印刷します"));
    ui_.cmdexit = button("cmdexit", QStringLiteral("閉じる"));
    ui_.Picture2 = new LocationMapBox(drawing().location, this);
    ui_.Picture2->setObjectName(QStringLiteral("Picture2"));
    ui_.location = new LocationControls(drawing().location, *ui_.Picture2, this);
    ui_.Label7 = label("Label7", new QLabel(this));
    ui_.Label7->hide();
    ui_.Picture3 = pictureBox("Picture3");
    ui_.Text1 = new QLineEdit(this);
    refuseLongValues(ui_.Text1,
                     QStringLiteral("登録番号は %1 文字までです。").arg(kValueMaxLength));
    ui_.Text1->setObjectName(QStringLiteral("Text1"));
    const auto fitBox = [this](const char* name) {
        auto* box = new QCheckBox(QStringLiteral("枠に合わせる"), this);
        box->setObjectName(QLatin1String(name));
        box->setToolTip(QStringLiteral("大きい地図を縦横の比を保ったまま枠に収まるよう縮小します"));
        box->setEnabled(false);
        return box;
    };
    ui_.Check1 = fitBox("Check1");
    ui_.Check2 = fitBox("Check2");
    for (auto [name, note] : {std::pair{"Label5", &ui_.Label5}, {"Label6", &ui_.Label6}}) {
        *note =
            label(name, new QLabel(QStringLiteral("枠より大きく、はみ出して印刷されます"), this));
        (*note)->setStyleSheet(QStringLiteral("color: #b00000"));
        (*note)->hide();
    }

    // The keyboard goes through the controls in the order of the design, each half's fit
    // choice after its buttons, the location map's box and its marks after the left one's,
    // 配置図を描く… after the right half's own buttons.
    const QList<QWidget*> order =
        QList<QWidget*>{ui_.Command1, ui_.Command3, ui_.Check1, ui_.Picture2} +
        ui_.location->keyboardOrder() +
        QList<QWidget*>{ui_.Command2, ui_.Command4, ui_.Check2, ui_.Command6,
                        ui_.Text1,    ui_.Command5, ui_.cmdexit};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(ui_.Command1, &QPushButton::clicked, this, [this] { openMap(left()); });
    connect(ui_.Command2, &QPushButton::clicked, this, [this] { openMap(right()); });
    connect(ui_.Command3, &QPushButton::clicked, this, [this] { emptyMap(left()); });
    connect(ui_.Command4, &QPushButton::clicked, this, [this] { emptyMap(right()); });
    connect(ui_.Check1, &QCheckBox::toggled, this, [this](bool fit) { setFit(left(), fit); });
    connect(ui_.Check2, &QCheckBox::toggled, this, [this](bool fit) { setFit(right(), fit); });
    connect(ui_.location, &LocationControls::marksChanged, this, [this] {
        showMap(left());
        emit drawingChanged();
    });
    connect(ui_.location, &LocationControls::fetchRequested, this, &Frmhchi::fetchMap);
    connect(ui_.Command5, &QPushButton::clicked, this, &Frmhchi::newMap);
    connect(ui_.Command6, &QPushButton::clicked, this, &Frmhchi::drawSitePlan);
    connect(ui_.cmdexit, &QPushButton::clicked, this, [this] {
        // The child window closes with its form.
        (parentWidget() ? parentWidget() : this)->close();
    });
    connect(ui_.Text1, &QLineEdit::textChanged, this,
            [this](const QString& text) { drawing().registrationNumber = text; });
    // textEdited comes before textChanged: the number is taken here too before it is told.
    connect(ui_.Text1, &QLineEdit::textEdited, this, [this](const QString& text) {
        drawing().registrationNumber = text;
        emit drawingChanged();
    });
}

void Frmhchi::placeControls() {
    const auto place = [this](QWidget* control, Place p) {
        control->setGeometry(twipsRect(p.left, p.top, p.width, p.height, this));
    };
    place(ui_.Label2, {840, 675, 2535, 375});
    place(ui_.Label3, {6600, 675, 2535, 375});
    place(ui_.Command1, {3240, 615, 960, 375});
    place(ui_.Command3, {4200, 615, 1000, 375});
    place(ui_.Command2, {9000, 615, 960, 375});
    place(ui_.Command4, {9960, 615, 1000, 375});
    place(ui_.Picture2, {525, 1245, 5200, 5200});
    place(ui_.Picture3, {6170, 1245, 5200, 5200});
    // Between the frame and the instructions.
    place(ui_.Check1, {525, 6630, 1700, 270});
    place(ui_.Label5, {2280, 6645, 3600, 255});
    place(ui_.Check2, {6170, 6630, 1700, 270});
    place(ui_.Label6, {7925, 6645, 3600, 255});
    place(ui_.Label7, {525, 6645, 5400, 255});
    place(ui_.Label1, {360, 6915, 7455, 500});
    place(ui_.location, {360, 7400, 7800, 760});
    place(ui_.Label4, {8400, 6975, 975, 255});
    place(ui_.Text1, {9375, 6915, 2150, 300});
    place(ui_.Command5, {8280, 7725, 1500, 375});
    place(ui_.Command6, {9960, 7290, 1500, 375});
    place(ui_.cmdexit, {9960, 7725, 1500, 375});
}

void Frmhchi::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    const QRect shape = twipsRect(kShape1.left, kShape1.top, kShape1.width, kShape1.height, this);
    painter.drawRect(shape.adjusted(0, 0, -1, -1));
    painter.drawLine(twipsPoint(kLine1From.x(), kLine1From.y(), this),
                     twipsPoint(kLine1To.x(), kLine1To.y(), this));
    painter.drawLine(twipsPoint(kLine2From.x(), kLine2From.y(), this),
                     twipsPoint(kLine2To.x(), kLine2To.y(), this));
}

LayoutDrawingState& Frmhchi::drawing() { return document_.drawing(); }

void Frmhchi::showDrawing() {
    showMap(left());
    showMap(right());
    if (ui_.Text1->text() != drawing().registrationNumber)
        ui_.Text1->setText(drawing().registrationNumber);
}

Frmhchi::Half Frmhchi::left() {
    return {&LayoutDrawingState::locationMap, &LayoutDrawingState::fitLocationMap, ui_.Picture2,
            ui_.Check1, ui_.Label5};
}

Frmhchi::Half Frmhchi::right() {
    return {&LayoutDrawingState::layoutMap, &LayoutDrawingState::fitLayoutMap, ui_.Picture3,
            ui_.Check2, ui_.Label6};
}

// The half as it will print: a map larger than its area is said so, and may be fitted to it.
void Frmhchi::showMap(const Half& half) {
    if (half.picture == &LayoutDrawingState::layoutMap && drawing().printSitePlan) {
        QImage drawn;
        try {
            drawn = sitePlanPicture(drawing().sitePlan, 72);
        } catch (const PrintError&) {
            // No face to draw its texts with: the page says so when it is printed.
        }
        half.box->setPicture(drawn);
        half.fitBox->setEnabled(false);
        half.tooLarge->hide();
        return;
    }
    const QImage& picture = drawing().*half.picture;
    const bool tooLarge = !picture.isNull() && exceedsMapArea(picture);
    const bool fit = tooLarge && drawing().*half.fit;
    half.fitBox->setEnabled(tooLarge);
    {
        const QSignalBlocker quiet(half.fitBox);
        half.fitBox->setChecked(fit);
    }
    if (half.box != ui_.Picture2) {
        half.box->setPicture(picture, fit);
        half.tooLarge->setVisible(tooLarge && !fit);
        return;
    }
    // With marks the location map prints fitted into its area, whatever its size: the fit
    // choice gives way to the distance.
    ui_.Picture2->refresh(picture, fit);
    ui_.location->refresh();
    const LocationMarks& marks = drawing().location;
    const bool marked = !marks.isEmpty();
    half.fitBox->setVisible(!marked);
    half.tooLarge->setVisible(!marked && tooLarge && !fit);
    ui_.Label7->setVisible(marked);
    ui_.Label7->setText(LocationControls::statusText(marks));
    ui_.Label7->setStyleSheet(tooFarText(marks).isEmpty() ? QString()
                                                          : QStringLiteral("color: #b00000"));
}

// The marks are places on the picture: a new picture, or none, drops them. The typed distance
// and the choice to leave the map out stay.
void Frmhchi::forgetMarks() {
    LocationMarks& marks = drawing().location;
    marks.home.reset();
    marks.parking.reset();
    marks.scale.reset();
    marks.tiling.reset();
}

void Frmhchi::setFit(const Half& half, bool fit) {
    drawing().*half.fit = fit;
    showMap(half);
    emit drawingChanged();
}

// A cancelled dialog changes nothing; a file that is no usable picture keeps the half as it
// was and says why. A new picture starts at its natural size.
void Frmhchi::openMap(const Half& half) {
    const QString path = prompts_.openFileName(this, openDialogFilter());
    if (path.isEmpty())
        return;
    PictureLoad load;
    {
        const BusyCursor busy;
        load = loadPictureFile(path);
    }
    if (!load.ok()) {
        prompts_.warn(this, load.error);
        return;
    }
    drawing().*half.picture = load.picture;
    drawing().*half.fit = false;
    if (half.box == ui_.Picture2)
        forgetMarks();
    drawing().printSitePlan = false; // the half is a picture again
    showMap(half);
    emit drawingChanged();
}

// A drawn plan is put aside, not thrown away: 配置図を描く… brings it back.
void Frmhchi::emptyMap(const Half& half) {
    if (half.picture == &LayoutDrawingState::layoutMap && drawing().printSitePlan) {
        drawing().printSitePlan = false;
        showMap(half);
        emit drawingChanged();
        return;
    }
    drawing().*half.picture = QImage();
    drawing().*half.fit = false;
    if (half.box == ui_.Picture2)
        forgetMarks();
    showMap(half);
    emit drawingChanged();
}

// The fetched map takes the left half with both marks on it; the typed distance and the
// choice to leave the map out stay. A failure or a cancelled dialog changes nothing.
void Frmhchi::fetchMap() {
    const auto address = [this](Particular p) {
        return particulars_ ? particulars_->value(p) : QString();
    };
    const std::optional<LocationMapFetch> map = prompts_.fetchLocationMap(
        this, address(Particular::UserBaseOfUse), address(Particular::ParkingLocation));
    if (!map)
        return;
    LocationMarks& marks = drawing().location;
    LocationMarks fetched = map->marks;
    fetched.typedDistance = marks.typedDistance;
    fetched.omit = marks.omit;
    marks = fetched;
    drawing().locationMap = map->picture;
    drawing().fitLocationMap = false;
    showMap(left());
    emit drawingChanged();
}

// Writes a new blank map into the user's Pictures folder and hands it to a paint program;
// the user saves it there and opens it here like any other map.
void Frmhchi::newMap() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const BlankMapFile blank = createBlankMapFile(folder);
    if (!blank.error.isEmpty()) {
        prompts_.warn(this, blank.error);
        return;
    }
    if (!prompts_.startPaintProgram(blank.path)) {
        prompts_.warn(
            this,
            QStringLiteral("ペイントソフトを起動できませんでした。白紙の地図は %1 に保存しました。"
                           "画像を編集できるソフトで開いてください。")
                .arg(QDir::toNativeSeparators(blank.path)));
    }
}

// The editor starts from the plan drawn before, if any; once it is accepted the right half
// prints the plan in place of its map.
void Frmhchi::drawSitePlan() {
    SitePlanEditor editor(drawing().sitePlan, prompts_, this);
    if (particulars_)
        editor.setCaseVehicle(particulars_->particulars());
    if (editor.exec() != QDialog::Accepted)
        return;
    drawing().sitePlan = editor.plan();
    drawing().printSitePlan = true;
    showMap(right());
    emit drawingChanged();
}

void Frmhchi::closeEvent(QCloseEvent* event) {
    document_.clear();
    event->accept();
}

} // namespace mivo
