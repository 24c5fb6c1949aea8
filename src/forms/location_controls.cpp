#include "forms/location_controls.h"

#include "forms/location_map_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace mivo {
namespace {

constexpr double kMostMetres = 1e7;

QString metresText(const std::optional<double>& metres) {
    return metres ? QString::number(*metres, 'g', 10) : QString();
}

void setQuietly(QLineEdit* edit, const QString& text) {
    if (edit->text() == text)
        return;
    const QSignalBlocker quiet(edit);
    edit->setText(text);
}

} // namespace

std::optional<double> typedMetres(const QString& text) {
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,3})?$"));
    if (!number.match(plain).hasMatch())
        return std::nullopt;
    const double metres = plain.toDouble();
    if (metres <= 0 || metres > kMostMetres)
        return std::nullopt;
    return metres;
}

LocationControls::LocationControls(LocationMarks& marks, LocationMapBox& box, QWidget* parent)
    : QWidget(parent), marks_(marks), box_(box) {
    const auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    tools_ = new QButtonGroup(this);
    const auto tool = [&](const QString& caption, LocationMapBox::Tool which, const char* name,
                          const QString& tip) {
        auto* b = new QPushButton(caption, this);
        named(b, name);
        b->setCheckable(true);
        b->setToolTip(tip);
        tools_->addButton(b, int(which));
        return b;
    };
    home_ = tool(QStringLiteral("使用の本拠の位置"), LocationMapBox::Tool::Home, "markHome",
                 QStringLiteral("地図をクリックして使用の本拠の位置に印を付けます。矢印キーで"
                                "動かせます"));
    parking_ = tool(QStringLiteral("保管場所の位置"), LocationMapBox::Tool::Parking, "markParking",
                    QStringLiteral("地図をクリックして保管場所の位置に印を付けます。"
                                   "矢印キーで動かせます"));
    scaleTool_ = tool(QStringLiteral("縮尺を指定"), LocationMapBox::Tool::Scale, "markScale",
                      QStringLiteral("地図の縮尺の両端を順にクリックし、その長さを入力します"));
    home_->setChecked(true);
    scaleMetres_ = new QLineEdit(this);
    named(scaleMetres_, "scaleMetres");
    scaleMetres_->setToolTip(QStringLiteral("縮尺の両端の間の長さ（メートル）"));
    scaleMetres_->setMaximumWidth(70);
    fetch_ = new QPushButton(QStringLiteral("地図を取得…"), this);
    named(fetch_, "fetchMap");
    fetch_->setToolTip(QStringLiteral("二つの住所の周りの地図を国土地理院から取得します（送る前に"
                                      "何をどこへ送るかを示します）"));
    distance_ = new QLineEdit(this);
    named(distance_, "distance");
    distance_->setPlaceholderText(QStringLiteral("自動"));
    distance_->setToolTip(QStringLiteral("測った距離を入力すると、その値を印刷します。空のときは"
                                         "位置から求めます"));
    distance_->setMaximumWidth(80);
    omit_ = new QCheckBox(QString::fromUtf16(kOmittedLocationText), this);
    named(omit_, "omitLocation");

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(4);
    auto* top = new QHBoxLayout;
    auto* bottom = new QHBoxLayout;
    rows->addLayout(top);
    rows->addLayout(bottom);
    const auto caption = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    top->addWidget(home_);
    top->addWidget(parking_);
    top->addWidget(scaleTool_);
    top->addWidget(scaleMetres_);
    top->addWidget(new QLabel(QStringLiteral("m"), this));
    top->addSpacing(12);
    top->addWidget(fetch_);
    top->addStretch();
    bottom->addWidget(caption(QStringLiteral("距離(&D)"), distance_));
    bottom->addWidget(distance_);
    bottom->addWidget(new QLabel(QStringLiteral("m"), this));
    bottom->addSpacing(12);
    bottom->addWidget(omit_);
    bottom->addStretch();

    connect(tools_, &QButtonGroup::idClicked, this, [this](int id) {
        box_.setTool(LocationMapBox::Tool(id));
        box_.setFocus();
    });
    connect(&box_, &LocationMapBox::marksChanged, this, [this] {
        // A press on a mark chooses it.
        if (QAbstractButton* b = tools_->button(int(box_.tool())); b && !b->isChecked())
            b->setChecked(true);
        refresh();
        emit marksChanged();
    });
    connect(&box_, &LocationMapBox::scaleDrawn, this, [this] {
        scaleMetres_->setFocus();
        scaleMetres_->selectAll();
    });
    connect(fetch_, &QPushButton::clicked, this, &LocationControls::fetchRequested);
    connect(scaleMetres_, &QLineEdit::textEdited, this, &LocationControls::typeScale);
    connect(distance_, &QLineEdit::textEdited, this, &LocationControls::typeDistance);
    connect(omit_, &QCheckBox::toggled, this, [this](bool omit) {
        marks_.omit = omit;
        emit marksChanged();
    });
}

QList<QWidget*> LocationControls::keyboardOrder() const {
    return {home_, parking_, scaleTool_, scaleMetres_, fetch_, distance_, omit_};
}

void LocationControls::typeScale(const QString& text) {
    if (!marks_.scale)
        return; // the length belongs to the two points, drawn first
    marks_.scale->metres = typedMetres(text).value_or(0);
    emit marksChanged();
}

void LocationControls::typeDistance(const QString& text) {
    marks_.typedDistance = typedMetres(text);
    emit marksChanged();
}

void LocationControls::refresh() {
    // Marks are places on a picture, and a map left out has none to show.
    for (QWidget* w : {static_cast<QWidget*>(home_), static_cast<QWidget*>(parking_),
                       static_cast<QWidget*>(scaleTool_), static_cast<QWidget*>(scaleMetres_)})
        w->setEnabled(!box_.picture().isNull() && !marks_.omit);
    if (marks_.scale && marks_.scale->metres > 0)
        setQuietly(scaleMetres_, metresText(marks_.scale->metres));
    else if (!marks_.scale)
        setQuietly(scaleMetres_, QString());
    // What the user is typing stays as typed, also while it is no number yet.
    if (!distance_->hasFocus())
        setQuietly(distance_, metresText(marks_.typedDistance));
    const QSignalBlocker quiet(omit_);
    omit_->setChecked(marks_.omit);
}

QString LocationControls::statusText(const LocationMarks& marks) {
    if (marks.omit)
        return QStringLiteral("所在図は省略して印刷します");
    const std::optional<MapDistance> distance = distanceOf(marks);
    if (!distance) {
        if (!marks.home || !marks.parking)
            return QStringLiteral("使用の本拠の位置と保管場所の位置に印を付けてください");
        return QStringLiteral("距離を入力するか、縮尺を指定してください");
    }
    QString text = distanceText(distance->metres);
    if (const QString tooFar = tooFarText(marks); !tooFar.isEmpty())
        text += QStringLiteral("　") + tooFar;
    return text;
}

} // namespace mivo
