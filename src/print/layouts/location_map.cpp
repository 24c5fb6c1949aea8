#include "print/layouts/location_map.h"

#include "document/location_marks.h"
#include "print/page_setup.h"
#include "print/page_target.h"
#include "print/painter_surface.h"
#include "print/printer_surface.h"

#include <QLineF>

#include <algorithm>
#include <vector>

namespace mivo {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kMostPixelsPerInch = 200; // a picture is never enlarged beyond this
constexpr float kMarkRadius = 2;           // circles of 4 mm
constexpr std::int16_t kMarkPen = 3;       // 0.25 mm: the marks read on a monochrome copy
constexpr float kLabelPoints = 9;
constexpr float kAttributionPoints = 8;
constexpr float kOmittedPoints = 11;
constexpr double kGap = 1; // between a mark and its label, a line and its distance

const QString kHomeLabel = QStringLiteral("使用の本拠の位置");
const QString kParkingLabel = QStringLiteral("保管場所の位置");
const QString kAttribution = QStringLiteral("出典：地理院タイル");

// The faces are fixed-pitch: a half-width character is half an em, every other one an em.
QSizeF textSizeMm(const QString& text, float points) {
    double ems = 0;
    for (QChar c : text)
        ems += (c.unicode() < 0x100 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F)) ? 0.5 : 1;
    const double em = points * kMillimetresPerInch / 72;
    return {ems * em, em};
}

QRectF movedInside(QRectF r, const QRectF& area) {
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height())));
    return r;
}

bool crosses(const QLineF& line, const QRectF& r) {
    if (line.isNull())
        return false;
    if (r.contains(line.p1()) || r.contains(line.p2()))
        return true;
    const QLineF edges[] = {{r.topLeft(), r.topRight()},
                            {r.topRight(), r.bottomRight()},
                            {r.bottomRight(), r.bottomLeft()},
                            {r.bottomLeft(), r.topLeft()}};
    return std::ranges::any_of(edges, [&](const QLineF& edge) {
        return line.intersects(edge, nullptr) == QLineF::BoundedIntersection;
    });
}

// Of the candidate top-left corners, the first whose text lies clear of what is already on the
// map; else the one that covers the least of it. Each candidate is first moved inside the area.
QRectF placeText(QSizeF size, std::initializer_list<QPointF> candidates, const QRectF& area,
                 const std::vector<QRectF>& taken, const QLineF& line) {
    QRectF best;
    double bestCover = -1;
    for (QPointF topLeft : candidates) {
        const QRectF r = movedInside(QRectF(topLeft, size), area);
        double cover = crosses(line, r) ? size.width() * size.height() : 0;
        for (const QRectF& t : taken) {
            const QRectF common = r.intersected(t);
            cover += common.width() * common.height();
        }
        if (bestCover < 0 || cover < bestCover) {
            best = r;
            bestCover = cover;
        }
        if (cover == 0)
            break;
    }
    return best;
}

QRectF markRect(QPointF centre) {
    return {centre.x() - kMarkRadius, centre.y() - kMarkRadius, 2 * kMarkRadius, 2 * kMarkRadius};
}

// Right of the mark, then left, above and below.
QRectF placeLabel(QPointF c, QSizeF s, const QRectF& area, const std::vector<QRectF>& taken,
                  const QLineF& line) {
    const double side = kMarkRadius + kGap;
    return placeText(s,
                     {{c.x() + side, c.y() - s.height() / 2},
                      {c.x() - side - s.width(), c.y() - s.height() / 2},
                      {c.x() - s.width() / 2, c.y() - side - s.height()},
                      {c.x() - s.width() / 2, c.y() + side}},
                     area, taken, line);
}

// Beside the middle of the line, on either side, then along it.
QRectF placeDistance(const QLineF& line, QSizeF s, const QRectF& area,
                     const std::vector<QRectF>& taken) {
    const QPointF middle = line.center();
    // Two places at one point: the text goes under them.
    const QLineF normal = line.length() > 0 ? line.normalVector().unitVector() : QLineF(0, 0, 0, 1);
    const QPointF n(normal.dx(), normal.dy());
    const double away = kGap + std::abs(n.x()) * s.width() / 2 + std::abs(n.y()) * s.height() / 2;
    const QPointF half(s.width() / 2, s.height() / 2);
    const QLineF along = line.length() > 0 ? line.unitVector() : QLineF(0, 0, 1, 0);
    const QPointF d(along.dx(), along.dy());
    return placeText(s,
                     {middle + n * away - half, middle - n * away - half,
                      middle + n * away + d * s.width() - half,
                      middle - n * away - d * s.width() - half},
                     area, taken, line);
}

void printAt(PrinterSurface& surface, const QRectF& r, const QString& text) {
    surface.MoveTo(float(r.left()), float(r.top()));
    surface.PrintText(text);
}

} // namespace

QRectF locationPictureRectMm(const QImage& picture) {
    if (picture.isNull())
        return {};
    const QRectF area = kLocationAreaMm;
    const double mmPerPixel =
        std::min({area.width() / picture.width(), area.height() / picture.height(),
                  kMillimetresPerInch / kMostPixelsPerInch});
    const QSizeF size(picture.width() * mmPerPixel, picture.height() * mmPerPixel);
    return {area.center() - QPointF(size.width() / 2, size.height() / 2), size};
}

void DrawLocationMap(PrinterSurface& surface, const QImage& picture, const LocationMarks& marks) {
    const QRectF area = kLocationAreaMm;
    if (marks.omit) {
        surface.SetFontName(QString::fromUtf16(Typeface::Gothic));
        surface.SetFontSize(kOmittedPoints);
        printAt(surface, area.adjusted(2, 2, 0, 0), QString::fromUtf16(kOmittedLocationText));
        surface.SetFontName(QString::fromUtf16(Typeface::Mincho));
        return;
    }
    if (picture.isNull())
        return; // the marks are places on a picture: without one there is nothing to mark
    const QRectF shown = locationPictureRectMm(picture);
    surface.DrawPictureScaled(picture, float(shown.left()), float(shown.top()),
                              float(shown.width()), float(shown.height()));
    const double mmPerPixel = shown.width() / picture.width();
    const auto onPage = [&](const MapMark& m) { return shown.topLeft() + m.pixel * mmPerPixel; };

    std::vector<QRectF> taken;
    std::vector<std::pair<QRectF, QString>> texts;
    QRectF attribution;
    if (marks.tiling) {
        const QSizeF s = textSizeMm(kAttribution, kAttributionPoints);
        attribution = QRectF(shown.bottomRight() - QPointF(s.width() + kGap, s.height() + kGap), s);
        taken.push_back(attribution);
    }
    QLineF line;
    surface.SetPenWidth(kMarkPen);
    for (const std::optional<MapMark>& m : {marks.home, marks.parking}) {
        if (m) {
            surface.Circle(float(onPage(*m).x()), float(onPage(*m).y()), kMarkRadius);
            taken.push_back(markRect(onPage(*m)));
        }
    }
    if (marks.home && marks.parking) {
        const QLineF between(onPage(*marks.home), onPage(*marks.parking));
        // From circle to circle, so that neither place is crossed out.
        if (between.length() > 2 * kMarkRadius) {
            const QLineF unit = between.unitVector();
            const QPointF step(unit.dx() * kMarkRadius, unit.dy() * kMarkRadius);
            line = QLineF(between.p1() + step, between.p2() - step);
            surface.Line(float(line.x1()), float(line.y1()), float(line.x2()), float(line.y2()));
        }
    }
    surface.SetPenWidth(1);

    for (const auto& [m, label] :
         {std::pair{marks.home, kHomeLabel}, {marks.parking, kParkingLabel}}) {
        if (!m)
            continue;
        const QRectF r = placeLabel(onPage(*m), textSizeMm(label, kLabelPoints), area, taken, line);
        taken.push_back(r);
        texts.emplace_back(r, label);
    }
    const std::optional<MapDistance> distance = distanceOf(marks);
    surface.SetFontName(QString::fromUtf16(Typeface::Gothic));
    surface.SetFontSize(kLabelPoints);
    for (const auto& [r, label] : texts)
        printAt(surface, r, label);
    if (distance && marks.home && marks.parking) {
        const QString text = distanceText(distance->metres);
        const QLineF between(onPage(*marks.home), onPage(*marks.parking));
        printAt(surface, placeDistance(between, textSizeMm(text, kLabelPoints), area, taken), text);
    }
    if (marks.tiling) {
        surface.SetFontSize(kAttributionPoints);
        printAt(surface, attribution, kAttribution);
    }
    surface.SetFontName(QString::fromUtf16(Typeface::Mincho));
}

QImage locationMapPicture(const QImage& picture, const LocationMarks& marks, int dpi) {
    ImageTarget target(dpi);
    PainterSurface surface(target);
    DrawLocationMap(surface, picture, marks);
    surface.EndJob();
    const double perMm = dpi / kMillimetresPerInch;
    const QRectF area = kLocationAreaMm;
    return target.image().copy(QRectF(area.topLeft() * perMm, area.size() * perMm).toRect());
}

} // namespace mivo
