#include "forms/caption_label.h"

#include <QFontMetricsF>
#include <QPainter>

namespace mivo {
namespace {

bool isBlank(QChar c) { return c == QChar(0x3000); }

// The share of its full width that an ideographic space takes on the pages.
constexpr qreal kBlankShare = 2.0 / 3.0;

// The caption split into runs of blanks and runs of the rest.
QStringList splitRuns(const QString& caption) {
    QStringList runs;
    for (const QChar c : caption) {
        if (runs.isEmpty() || isBlank(runs.last().back()) != isBlank(c))
            runs.append(QString());
        runs.last().append(c);
    }
    return runs;
}

} // namespace

CaptionLabel::CaptionLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QList<CaptionLabel::Run> CaptionLabel::words() const {
    const QFontMetricsF metrics(font());
    const QStringList runs = splitRuns(text());
    qreal blanks = 0;
    qreal rest = 0;
    for (const QString& run : runs)
        (isBlank(run.front()) ? blanks : rest) += metrics.horizontalAdvance(run);

    const qreal squeeze = std::min<qreal>(1, width() / (rest + blanks * kBlankShare));

    QList<Run> words;
    qreal x = 0;
    for (const QString& run : runs) {
        const qreal advance = metrics.horizontalAdvance(run);
        if (isBlank(run.front())) {
            x += advance * kBlankShare * squeeze;
        } else {
            words.append({run, QRectF(x, 0, advance * squeeze, metrics.height())});
            x += advance * squeeze;
        }
    }
    return words;
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    const qreal ascent = QFontMetricsF(font()).ascent();
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    for (const Run& word : words()) {
        painter.save();
        painter.translate(word.place.topLeft());
        painter.scale(word.place.width() / QFontMetricsF(font()).horizontalAdvance(word.text), 1);
        painter.drawText(QPointF(0, ascent), word.text);
        painter.restore();
    }
}

} // namespace mivo
