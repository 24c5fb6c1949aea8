#include "forms/particulars_window.h"

#include "document/field_value.h"
#include "forms/field_box.h"
#include "forms/postal_lookup.h"
#include "forms/today_button.h"
#include "forms/value_length.h"
#include "particulars/case_particulars.h"
#include "particulars/postal_fill.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace mivo {
namespace {

using P = Particular;

// Three particulars in a row on one line: a telephone's parts, or a date's year, month, day.
struct Line {
    Particular first;
    const char16_t* label;
    bool date;
};
constexpr Line kLines[] = {
    {P::UserPhoneArea, u"電話", false},        {P::UseFromYear, u"使用期間（から）", true},
    {P::UseToYear, u"使用期間（まで）", true}, {P::GrantorPhoneArea, u"電話", false},
    {P::DocumentYear, u"日付", true},          {P::TransferYear, u"年月日", true},
};

// The roles from this one on fill the right-hand column.
constexpr const char* kSecondColumnFrom = "parking";

const Line* lineStartingAt(Particular particular) {
    for (const Line& line : kLines) {
        if (line.first == particular)
            return &line;
    }
    return nullptr;
}

bool insideLine(Particular particular) {
    for (const Line& line : kLines) {
        if (int(particular) > int(line.first) && int(particular) <= int(line.first) + 2)
            return true;
    }
    return false;
}

QString boxName(Particular particular) {
    return QStringLiteral("%1.%2").arg(QLatin1StringView(info(particular).roleKey),
                                       QLatin1StringView(info(particular).key));
}

} // namespace

ParticularsWindow::ParticularsWindow(CaseParticulars& particulars, Prompts& prompts,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), particulars_(particulars), prompts_(prompts) {
    setObjectName(QStringLiteral("ParticularsWindow"));
    setWindowTitle(QStringLiteral("案件の基本情報"));

    auto* columns = new QHBoxLayout;
    QList<QVBoxLayout*> columnList;
    QVBoxLayout* column = nullptr;
    QFormLayout* form = nullptr;
    const char* role = nullptr;
    for (const ParticularInfo& item : particularInfos()) {
        if (!role || qstrcmp(role, item.roleKey) != 0) {
            role = item.roleKey;
            if (!column || qstrcmp(role, kSecondColumnFrom) == 0) {
                column = new QVBoxLayout;
                columns->addLayout(column);
                columnList.append(column);
            }
            auto* group = new QGroupBox(QString::fromUtf16(item.roleLabel));
            group->setObjectName(QLatin1StringView(role));
            form = new QFormLayout(group);
            column->addWidget(group);
        }
        if (insideLine(item.particular))
            continue;
        const Line* line = lineStartingAt(item.particular);
        auto* label = new QLabel(QString::fromUtf16(line ? line->label : item.label));
        QWidget* field = lineFor(item.particular);
        label->setBuddy(boxes_[size_t(item.particular)]);
        form->addRow(label, field);
    }
    for (QVBoxLayout* each : columnList)
        each->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    showParticulars();
    connect(&particulars_, &CaseParticulars::changed, this, &ParticularsWindow::showParticulars);
}

// The box of `particular`, or the line of three that starts with it.
QWidget* ParticularsWindow::lineFor(Particular particular) {
    const Line* line = lineStartingAt(particular);
    const int count = line ? 3 : 1;
    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins({});
    if (line && line->date)
        row->addWidget(new QLabel(QStringLiteral("令和")));
    std::array<QLineEdit*, 3> parts{};
    for (int i = 0; i < count; ++i) {
        const auto each = Particular(int(particular) + i);
        auto* box = new FieldBox;
        box->setObjectName(boxName(each));
        refuseLongValues(box, QStringLiteral("%1は %2 文字までです。")
                                  .arg(QString::fromUtf16(info(each).fullLabel))
                                  .arg(kValueMaxLength));
        box->setAccessibleName(QString::fromUtf16(info(each).fullLabel));
        if (each == P::PoliceStation)
            box->setToolTip(QStringLiteral("警察署の名前だけを入力します（例: 練馬）"));
        if (line)
            box->setMaximumWidth(fontMetrics().horizontalAdvance(u'0') * (line->date ? 5 : 8));
        else
            box->setMinimumWidth(fontMetrics().horizontalAdvance(u'あ') * 16);
        connect(box, &QLineEdit::textChanged, this,
                [this, each](const QString& text) { particulars_.setValue(each, text); });
        if (const std::optional<Particular> address = addressBeside(each)) {
            box->setMaximumWidth(fontMetrics().horizontalAdvance(u'0') * 10);
            connect(box, &QLineEdit::textEdited, this, [this, address](const QString& text) {
                fillAddressFromPostalCode(this, prompts_, text, boxes_[size_t(*address)]);
            });
        }
        boxes_[size_t(each)] = parts[size_t(i)] = box;
        row->addWidget(box);
        if (line && line->date)
            row->addWidget(new QLabel(i == 0   ? QStringLiteral("年")
                                      : i == 1 ? QStringLiteral("月")
                                               : QStringLiteral("日")));
        else if (line && i < 2)
            row->addWidget(new QLabel(QStringLiteral("－")));
    }
    if (line && line->date) {
        QToolButton* today = addTodayButton(holder, parts);
        today->setObjectName(QStringLiteral("today(%1)").arg(boxName(particular)));
        row->addWidget(today);
    }
    if (line || addressBeside(particular))
        row->addStretch();
    return holder;
}

void ParticularsWindow::showParticulars() {
    for (const ParticularInfo& item : particularInfos()) {
        QLineEdit* box = boxes_[size_t(item.particular)];
        const QString value = particulars_.value(item.particular);
        if (box->text() != value)
            box->setText(value);
    }
}

} // namespace mivo
