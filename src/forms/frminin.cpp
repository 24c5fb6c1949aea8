#include "forms/frminin.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_catalogue.h"
#include "forms/form_page.h"
#include "forms/screen_font.h"
#include "forms/svg_picture.h"
#include "forms/twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace mivo {
namespace {

// The form's own font, used by every box and by the captions that name no font.
constexpr qreal kFormPoints = 9;

} // namespace

Frminin::Frminin(CurrentDocument& document) : document_(document) {
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
    for (const DocumentInfo& owner : documents()) {
        if (!owner.page)
            continue;
        const int page = *owner.page;
        for (const FieldInfo& info : fieldCatalogue()) {
            if (!owner.fields.contains(info.index))
                continue;
            auto* box = new QLineEdit(pages_[page]);
            box->setObjectName(QStringLiteral("tx(%1)").arg(info.index));
            box->setGeometry(twipsRect(info.left, info.top, info.width, info.height, this));
            box->setMaxLength(std::numeric_limits<int>::max());
            connect(box, &QLineEdit::textChanged, &fields,
                    [&fields, index = info.index](const QString& text) {
                        fields.setValue(index, text);
                    });
            tx_[info.index] = box;
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
    });
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
