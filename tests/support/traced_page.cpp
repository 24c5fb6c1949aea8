#include "traced_page.h"

#include "print/page_setup.h"
#include "print/typefaces.h"

#include <QFontMetricsF>

namespace {

constexpr double kMillimetresPerPenDot = 25.4 / 300;

} // namespace

TracedPage tracedPage(const mivo::RecordingSurface& surface) {
    TracedPage page;
    bool twips = false;
    QString face = QString::fromUtf16(mivo::Typeface::Mincho);
    double points = 12;
    bool bold = false;
    double stretch = 1;
    double pen = 1;
    QPointF at;
    const auto mm = [&](double v) { return twips ? v * MillimetresPerTwip : v; };
    const auto rule = [&](QPointF from, QPointF to) {
        const double half = pen * kMillimetresPerPenDot / 2;
        page.rules.push_back(QRectF(from, to).normalized().adjusted(-half, -half, half, half));
    };
    for (const auto& op : surface.operations()) {
        const QVariantList& a = op.args;
        if (op.name == u"SetUnit") {
            twips = a.value(0).toString() == u"Twip";
        } else if (op.name == u"SetFontName") {
            face = a.value(0).toString();
        } else if (op.name == u"SetFontSize") {
            points = a.value(0).toDouble();
        } else if (op.name == u"SetFontBold") {
            bold = a.value(0).toBool();
        } else if (op.name == u"SetFontStretch") {
            stretch = a.value(0).toDouble() / 100;
        } else if (op.name == u"SetPenWidth") {
            pen = a.value(0).toDouble();
        } else if (op.name == u"MoveTo") {
            at = {mm(a.value(0).toDouble()), mm(a.value(1).toDouble())};
        } else if (op.name == u"Line") {
            rule({mm(a[0].toDouble()), mm(a[1].toDouble())},
                 {mm(a[2].toDouble()), mm(a[3].toDouble())});
        } else if (op.name == u"Box") {
            const QPointF p1(mm(a[0].toDouble()), mm(a[1].toDouble()));
            const QPointF p2(mm(a[2].toDouble()), mm(a[3].toDouble()));
            rule(p1, {p2.x(), p1.y()});
            rule(p1, {p1.x(), p2.y()});
            rule({p2.x(), p1.y()}, p2);
            rule({p1.x(), p2.y()}, p2);
        } else if (op.name == u"LineRelative") {
            const QPointF to = at + QPointF(mm(a[0].toDouble()), mm(a[1].toDouble()));
            rule(at, to);
            at = to;
        } else if (op.name == u"PrintText") {
            const QString text = a.value(0).toString();
            if (text.isEmpty())
                continue;
            const QFontMetricsF metrics(mivo::printFont(face, float(points), bold));
            const QStringList lines = text.split(QLatin1Char('\n'));
            const double height = metrics.lineSpacing() * MillimetresPerTwip;
            double width = 0;
            std::vector<QRectF> inked;
            for (qsizetype l = 0; l < lines.size(); ++l) {
                const QString& line = lines[l];
                width = std::max(width, metrics.horizontalAdvance(line) * stretch);
                qsizetype start = 0;
                for (qsizetype i = 0; i <= line.size(); ++i) {
                    if (i < line.size() && !line.at(i).isSpace())
                        continue;
                    if (i > start) {
                        const double left = metrics.horizontalAdvance(line.left(start)) * stretch;
                        const double right = metrics.horizontalAdvance(line.left(i)) * stretch;
                        inked.push_back(QRectF(at.x() + left * MillimetresPerTwip,
                                               at.y() + l * height,
                                               (right - left) * MillimetresPerTwip, height));
                    }
                    start = i + 1;
                }
            }
            const QSizeF size(width * MillimetresPerTwip, height * lines.size());
            page.texts.push_back({text, QRectF(at, size), std::move(inked), twips});
        }
    }
    return page;
}
