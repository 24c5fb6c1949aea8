#include "forms/frminin.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_catalogue.h"
#include "document/field_kinds.h"
#include "document/field_value.h"
#include "forms/document_forms.h"
#include "forms/field_box.h"
#include "forms/form_page.h"
#include "forms/postal_lookup.h"
#include "forms/screen_font.h"
#include "forms/svg_picture.h"
#include "forms/today_button.h"
#include "forms/twips.h"
#include "forms/value_length.h"
#include "particulars/case_particulars.h"
#include "particulars/fill_rules.h"
#include "particulars/postal_fill.h"
#include "particulars/value_checks.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include <limits>

namespace mivo {
namespace {

// The form's own font, used by every box and by the captions that name no font.
constexpr qreal kFormPoints = 9;

// The date groups: the year's box, then the month's and the day's; and where 今日 goes, in
// twips on the page: after the group's last caption, or, where the transfer certificate's
// date cells are full, outside the table beside its row.
struct DateGroup {
    int year;
    int todayLeft, todayTop;
};
constexpr DateGroup kDateGroups[] = {
    {63, 4440, 1035}, {46, 2160, 3292}, {51, 2160, 4245}, {56, 2160, 5182}, {31, 9025, 2355},
    {25, 5820, 3915}, {7, 6090, 2655},  {10, 6090, 3015}, {13, 8970, 4455},
};
constexpr int kTodayWidth = 480, kTodayHeight = 300;

// A box filled from the case's particulars.
const QColor kTint(255, 246, 214);

} // namespace

Frminin::Frminin(CurrentDocument& document, CaseParticulars& particulars, Prompts& prompts)
    : document_(document), particulars_(particulars), prompts_(prompts) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Frminin"));
    setWindowIcon(QIcon(svgPicture(QStringLiteral("form-icon.svg"), QSize(32, 32))));
    setWindowTitle(document.title());
    resize(twipsSize(12000, 8600, this));

    auto* client = new QWidget;
    client->setFont(screenFont(kFormPoints));
    setWidget(client);

    auto* frame2 = new QGroupBox(client);
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setGeometry(twipsRect(600, 7100, 8295, 920, this));
    frame2->setBackgroundRole(QPalette::Button);
    frame2->setAutoFillBackground(true);
    auto* image1 = new QLabel(frame2);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(twipsRect(160, 150, 885, 720, this));
    image1->setPixmap(svgPicture(QStringLiteral("printer.svg"), image1->size()));
    auto* labsetu = new QLabel(frame2);
    labsetu->setObjectName(QStringLiteral("Labsetu"));
    labsetu->setGeometry(twipsRect(1155, 210, 6996, 600, this));
    labsetu->setBackgroundRole(QPalette::Base);
    labsetu->setForegroundRole(QPalette::Text);
    labsetu->setAutoFillBackground(true);
    labsetu->setText(QStringLiteral("空白に必要事項を記入し印刷ボタンを押してください。\n"
                                    "プリンターを準備してください。"));

    auto* cmdexit = new QPushButton(QStringLiteral("閉じる"), client);
    cmdexit->setObjectName(QStringLiteral("cmdexit"));
    cmdexit->setGeometry(twipsRect(9240, 7200, 1995, 820, this));
    connect(cmdexit, &QPushButton::clicked, this, &QWidget::close);

    for (int page = 0; page < PageCount; ++page) {
        pages_[page] = new FormPage(page, client);
        pages_[page]->setGeometry(twipsRect(360, 120, 11295, 6900, this));
        pages_[page]->hide();
    }

    // Every opening starts from empty fields; the boxes and the store hold the same values.
    FieldStore& fields = document.fields();
    fields.clear();
    QWidget* previous = nullptr;
    for (const DocumentForm& form : documentForms()) {
        if (!form.page)
            continue;
        const int page = *form.page;
        const FieldRun owned = documentInfo(form.kind).fields;
        for (const FieldInfo& info : fieldCatalogue()) {
            if (!owned.contains(info.index))
                continue;
            auto* box = new FieldBox(pages_[page]);
            box->setObjectName(QStringLiteral("tx(%1)").arg(info.index));
            box->setGeometry(twipsRect(info.left, info.top, info.width, info.height, this));
            box->setMaxLength(std::numeric_limits<int>::max());
            refuseLongValues(box, tooLongMessage(info.index) + u'。');
            connect(box, &QLineEdit::textChanged, &fields,
                    [&fields, index = info.index](const QString& text) {
                        fields.setValue(index, text);
                    });
            connect(box, &QLineEdit::editingFinished, this,
                    [this, index = info.index] { adopt(index); });
            tx_[info.index] = box;
            if (fieldKind(info.index).kind == ValueKind::PoliceStation)
                showToolTip(info.index);
            if (!firstFields_[page])
                firstFields_[page] = box;
            // The catalogue lists each document's fields in Tab order; only the shown page
            // takes focus, so one chain through all boxes and then 閉じる serves every page.
            if (previous)
                setTabOrder(previous, box);
            previous = box;
        }
    }
    setTabOrder(previous, cmdexit);
    connect(&fields, &FieldStore::valueChanged, this, [this](int index, const QString& text) {
        if (tx_[index]->text() != text)
            tx_[index]->setText(text);
        fits_[size_t(index)] = fitStateOf(index, text);
        showMarks();
        // A date's day is doubtful or not by its month and year too.
        const ValueKind kind = fieldKind(index).kind;
        const int year = kind == ValueKind::Month ? index - 1
                         : kind == ValueKind::Day ? index - 2
                                                  : index;
        for (int each = year; each <= year + 2 && each < FieldStore::Count; ++each) {
            if (each == index || fieldKind(each).kind != ValueKind::Text)
                showToolTip(each);
        }
    });

    for (int postal = 0; postal < FieldStore::Count; ++postal) {
        const std::optional<int> address = addressFieldBeside(postal);
        if (!address)
            continue;
        connect(tx_[postal], &QLineEdit::textEdited, this, [this, address](const QString& text) {
            if (fillAddressFromPostalCode(this, prompts_, text, tx_[*address]))
                adopt(*address);
        });
    }
    addTodayButtons();
    // Whoever keeps the case carries a changed particular into the fields; the tints follow.
    connect(&particulars_, &CaseParticulars::changed, this, &Frminin::showMarks);
}

namespace {

QString fitTip(FitState fit) {
    return fit == FitState::Fitted       ? QStringLiteral("縮めて印刷します")
           : fit == FitState::DoesNotFit ? QStringLiteral("この欄に入りきりません")
                                         : QString();
}

// The mark at the end of a box whose value is fitted (information) or cannot be (critical).
void showFitMark(QLineEdit* box, FitState fit, const QString& tip) {
    auto* mark = box->findChild<QAction*>(QStringLiteral("fitMark"));
    if (fit == FitState::Fits) {
        if (mark)
            mark->setVisible(false);
        return;
    }
    if (!mark) {
        mark = box->addAction(QIcon(), QLineEdit::TrailingPosition);
        mark->setObjectName(QStringLiteral("fitMark"));
    }
    mark->setIcon(box->style()->standardIcon(fit == FitState::Fitted
                                                 ? QStyle::SP_MessageBoxInformation
                                                 : QStyle::SP_MessageBoxCritical));
    mark->setToolTip(tip);
    mark->setVisible(true);
}

} // namespace

void Frminin::addTodayButtons() {
    for (const DateGroup& group : kDateGroups) {
        const std::array boxes{tx_[group.year], tx_[group.year + 1], tx_[group.year + 2]};
        QToolButton* today = addTodayButton(
            boxes[2]->parentWidget(), boxes,
            [this, group] {
                for (int index = group.year; index < group.year + 3; ++index)
                    adopt(index);
            },
            !fieldKind(group.year).eraPrinted);
        today->setObjectName(QStringLiteral("today(%1)").arg(group.year));
        today->setGeometry(
            twipsRect(group.todayLeft, group.todayTop, kTodayWidth, kTodayHeight, this));
    }
}

// A value typed where the particulars have none yet becomes theirs, for the other documents.
void Frminin::adopt(int index) {
    Particulars particulars = particulars_.particulars();
    if (adoptTypedValue(particulars, document_.fields(), index))
        particulars_.set(particulars);
}

void Frminin::showMarks() {
    std::array<bool, FieldStore::Count> tinted{};
    for (int index : fieldsFilledFromParticulars(particulars_.particulars(), document_.fields()))
        tinted[size_t(index)] = true;
    for (int index = 0; index < FieldStore::Count; ++index) {
        const FitState fit = fits_[size_t(index)];
        if (tinted[size_t(index)] == tinted_[size_t(index)] && fit == shownFits_[size_t(index)])
            continue;
        tinted_[size_t(index)] = tinted[size_t(index)];
        shownFits_[size_t(index)] = fit;
        QPalette palette; // the form's own, but for the tint and the colour of what cannot fit
        if (tinted[size_t(index)])
            palette.setColor(QPalette::Base, kTint);
        if (fit == FitState::DoesNotFit)
            palette.setColor(QPalette::Text, Qt::red);
        QLineEdit* box = tx_[size_t(index)];
        box->setPalette(palette);
        showFitMark(box, fit, fitTip(fit));
        showToolTip(index);
    }
}

// What the box says of itself: filled from the particulars, fitted or not fitting, what a
// doubtful value should be (underlined in red), and what to type where the page prints words
// around the value.
void Frminin::showToolTip(int index) {
    auto* box = static_cast<FieldBox*>(tx_[size_t(index)]);
    QStringList lines;
    if (tinted_[size_t(index)])
        lines.append(QStringLiteral("基本情報から入力"));
    if (const QString fit = fitTip(shownFits_[size_t(index)]); !fit.isEmpty())
        lines.append(fit);
    const std::optional<QString> doubt = doubtAbout(index, document_.fields());
    box->setDoubtful(doubt.has_value());
    if (doubt)
        lines.append(*doubt);
    if (fieldKind(index).kind == ValueKind::PoliceStation)
        lines.append(QStringLiteral("警察署の名前だけを入力します（例: 練馬）。"
                                    "「警察署長　殿」は書類に印刷されています"));
    box->setToolTip(lines.join(u'\n'));
}

void Frminin::showPage(int page) { pages_[page]->show(); }

void Frminin::focusFirstField() {
    if (isAncestorOf(focusWidget()))
        return;
    for (int page = 0; page < PageCount; ++page) {
        if (pages_[page]->isVisibleTo(this)) {
            firstFields_[page]->setFocus();
            return;
        }
    }
}

void Frminin::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    focusFirstField();
}

// The form opens while the chooser still holds the main window disabled, when no box can take
// the focus; it goes to the first field once the main window is enabled again.
void Frminin::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled())
        focusFirstField();
}

void Frminin::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        document_.clear();
}

} // namespace mivo
