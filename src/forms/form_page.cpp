#include "forms/form_page.h"

#include "forms/caption_label.h"
#include "forms/page_tables.h"
#include "forms/screen_font.h"
#include "forms/twips.h"

#include <QFontMetrics>
#include <QPainter>

namespace mivo {

FormPage::FormPage(int page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName(QStringLiteral("Frame1(%1)").arg(page));
    for (const PageCaption& caption : pageCaptions()) {
        if (caption.page != page)
            continue;
        auto* label = new CaptionLabel(QString::fromUtf16(caption.text), this);
        if (caption.points > 0)
            label->setFont(screenFont(caption.points, caption.bold));
        // Never cut off the lower part of the letters.
        QRect place = twipsRect(caption.left, caption.top, caption.width, caption.height, this);
        place.setHeight(std::max(place.height(), QFontMetrics(label->font()).height()));
        label->setGeometry(place);
    }
}

void FormPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    for (const PageRuling& ruling : pageRulings()) {
        if (ruling.page != page_)
            continue;
        const QPoint a = twipsPoint(ruling.a, ruling.b, this);
        if (ruling.kind == PageRuling::Box) {
            const QSize size = twipsSize(ruling.c, ruling.d, this);
            painter.drawRect(QRect(a, size - QSize(1, 1)));
        } else {
            painter.drawLine(a, twipsPoint(ruling.c, ruling.d, this));
        }
    }
}

} // namespace mivo
