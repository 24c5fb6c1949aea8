#include "print/painter_surface.h"

#include "document/picture_size.h"
#include "print/page_setup.h"
#include "print/page_target.h"
#include "print/twips_per_inch.h"
#include "print/typefaces.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainterPath>

namespace mivo {
namespace {

constexpr double kTwipsPerMillimetre = TwipsPerInch / 25.4;
// Pen widths are dots of a nominal 300-dpi device: 1 is a hairline, 7 a heavy frame.
constexpr double kTwipsPerPenDot = TwipsPerInch / 300.0;

} // namespace

PainterSurface::PainterSurface(PageTarget& target, Pages pages) : target_(target), pages_(pages) {
    resetSettings();
}

PainterSurface::~PainterSurface() { CancelJob(); }

void PainterSurface::resetSettings() {
    orientation_ = Orientation::Landscape;
    unit_ = Unit::Millimetre;
    face_ = QString::fromUtf16(Typeface::Mincho);
    points_ = 12;
    bold_ = false;
    stretch_ = 100;
    penWidth_ = 1;
    penStyle_ = PenStyle::Solid;
    fontAngle_ = 0;
    position_ = {};
}

// A job begins with its first mark: paper and orientation must be chosen before the device
// is opened.
void PainterSurface::startJobIfNeeded() {
    if (open_)
        return;
    const QPageLayout layout(QPageSize(QPageSize::A4),
                             orientation_ == Orientation::Landscape ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait,
                             QMarginsF());
    if (painter_.isActive()) {
        target_.newPage(layout);
        painter_.resetTransform();
    } else if (!painter_.begin(&target_.open(layout))) {
        throw PrintError(
            QStringLiteral("印刷を始められませんでした。プリンタの状態を確かめてください。"));
    }
    open_ = true;
    const QPaintDevice& device = *painter_.device();
    painter_.scale(device.logicalDpiX() / double(TwipsPerInch),
                   device.logicalDpiY() / double(TwipsPerInch));
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

QPainter& PainterSurface::painter() {
    startJobIfNeeded();
    return painter_;
}

double PainterSurface::twips(float value) const {
    return unit_ == Unit::Millimetre ? value * kTwipsPerMillimetre : double(value);
}

QPen PainterSurface::pen() const {
    QPen pen(Qt::black, penWidth_ * kTwipsPerPenDot);
    pen.setJoinStyle(Qt::MiterJoin);
    if (penStyle_ == PenStyle::Dotted) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({2.0, 3.0}); // in pen widths: a fine dotted rule
    } else {
        pen.setCapStyle(Qt::SquareCap);
    }
    return pen;
}

void PainterSurface::SetPaperSize(PaperSize) {} // A4 is the only paper
void PainterSurface::SetOrientation(Orientation o) { orientation_ = o; }
void PainterSurface::SetUnit(Unit u) { unit_ = u; }

void PainterSurface::SetFontName(const QString& name) {
    const QString missing = missingTypefaceMessage(name);
    if (!missing.isEmpty())
        throw PrintError(missing);
    face_ = name;
}

void PainterSurface::SetFontSize(float points) { points_ = points; }
void PainterSurface::SetFontBold(bool bold) { bold_ = bold; }
void PainterSurface::SetFontStretch(int percent) { stretch_ = percent; }
void PainterSurface::SetPenWidth(std::int16_t dots) { penWidth_ = dots; }
void PainterSurface::SetPenStyle(PenStyle style) { penStyle_ = style; }
void PainterSurface::SetFontAngle(float degrees) { fontAngle_ = degrees; }
void PainterSurface::MoveTo(float x, float y) { position_ = at(x, y); }

void PainterSurface::Line(float x1, float y1, float x2, float y2) {
    QPainter& p = painter();
    p.setPen(pen());
    p.drawLine(at(x1, y1), at(x2, y2));
}

void PainterSurface::Box(float x1, float y1, float x2, float y2) {
    QPainter& p = painter();
    p.setPen(pen());
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(at(x1, y1), at(x2, y2)).normalized());
}

void PainterSurface::FillPolygon(const QPolygonF& points) {
    QPainter& p = painter();
    QPolygonF inTwips;
    inTwips.reserve(points.size());
    for (const QPointF& point : points)
        inTwips.append(at(float(point.x()), float(point.y())));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(inTwips);
    p.setBrush(Qt::NoBrush);
}

void PainterSurface::LineRelative(float dx, float dy) {
    QPainter& p = painter();
    p.setPen(pen());
    const QPointF to = position_ + QPointF(twips(dx), twips(dy));
    p.drawLine(position_, to);
    position_ = to;
}

void PainterSurface::Circle(float x, float y, float radius) {
    QPainter& p = painter();
    p.setPen(pen());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at(x, y), twips(radius), twips(radius));
}

void PainterSurface::PrintText(const QString& text) {
    if (text.isEmpty())
        return;
    QPainter& p = painter();
    const QFont font = printFont(face_, points_, bold_);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetricsF metrics(font);
    // A value with line breaks prints its lines one under the other, from the same x.
    const QStringList lines =
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    // The faces have no bold style of their own. Qt synthesises one in PDF output, but on a
    // picture only for small pixel sizes, never for the sizes in twips painted here: there the
    // outline is thickened instead, by as much as the PDF's bold thickens a stem.
    const bool thicken = bold_ && p.paintEngine()->type() == QPaintEngine::Raster;
    const QPen outline(Qt::black, metrics.lineWidth() / 2);
    // A turned text is drawn in its own frame, from its corner; a condensed one narrower about
    // its left edge. Its lines keep their spacing.
    const QTransform upright = p.transform();
    QPointF baseline = position_ + QPointF(0, metrics.ascent());
    if (fontAngle_ != 0 || stretch_ != 100) {
        p.translate(position_);
        p.rotate(fontAngle_);
        p.scale(stretch_ / 100.0, 1.0);
        baseline = QPointF(0, metrics.ascent());
    }
    for (const QString& line : lines) {
        if (thicken) {
            QPainterPath path;
            path.addText(baseline, font, line);
            p.fillPath(path, Qt::black);
            p.strokePath(path, outline);
        } else {
            p.drawText(baseline, line);
        }
        baseline.ry() += metrics.lineSpacing();
    }
    p.setTransform(upright);
}

void PainterSurface::NoteFit(int, FitState) {}

void PainterSurface::DrawPicture(const QImage& picture, float x, float y) {
    drawPictureIn(picture, QRectF(at(x, y), naturalSizeInInches(picture) * double(TwipsPerInch)));
}

void PainterSurface::DrawPictureScaled(const QImage& picture, float x, float y, float width,
                                       float height) {
    drawPictureIn(picture, QRectF(at(x, y), QSizeF(twips(width), twips(height))));
}

void PainterSurface::drawPictureIn(const QImage& picture, const QRectF& whole) {
    QPainter& p = painter();
    const QSizeF size = whole.size();
    if (size.isEmpty())
        return;
    // Only the part that lies on the page goes to the device, in whole pixels at the same
    // scale: a photograph far larger than the paper would otherwise travel with the job.
    const QPaintDevice& device = *p.device();
    const QRectF page =
        p.transform().inverted().mapRect(QRectF(0, 0, device.width(), device.height()));
    const QRectF onPage = whole.intersected(page);
    if (onPage.isEmpty())
        return;
    const double perTwipX = picture.width() / size.width();
    const double perTwipY = picture.height() / size.height();
    const QRect source =
        QRectF((onPage.left() - whole.left()) * perTwipX, (onPage.top() - whole.top()) * perTwipY,
               onPage.width() * perTwipX, onPage.height() * perTwipY)
            .toAlignedRect()
            .intersected(picture.rect());
    const QRectF drawn(whole.left() + source.left() / perTwipX,
                       whole.top() + source.top() / perTwipY, source.width() / perTwipX,
                       source.height() / perTwipY);
    p.drawImage(drawn, picture, source);
}

void PainterSurface::EndJob() {
    painter(); // an empty job still gives its one blank page
    open_ = false;
    resetSettings();
    if (pages_ == Pages::One)
        finishPages();
}

void PainterSurface::finishPages() {
    if (open_ || !painter_.isActive())
        throw PrintError(QStringLiteral("出力するページがありません。"));
    target_.finish(painter_.end());
}

void PainterSurface::CancelJob() {
    if (painter_.isActive())
        painter_.end();
    open_ = false;
    resetSettings();
}

} // namespace mivo
