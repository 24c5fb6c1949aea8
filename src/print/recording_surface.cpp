#include "print/recording_surface.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace mivo {

QByteArray RecordingSurface::Operation::toJson() const {
    QJsonArray list;
    for (const QVariant& arg : args) {
        if (arg.typeId() == QMetaType::Float || arg.typeId() == QMetaType::Double) {
            const double value = arg.toDouble();
            if (std::trunc(value) == value && std::abs(value) < 1e15)
                list.append(static_cast<qint64>(value));
            else
                list.append(value);
        } else {
            list.append(QJsonValue::fromVariant(arg));
        }
    }
    // QJsonObject sorts its keys; "args" would come before "op". Write the two by hand.
    const QByteArray argsJson = QJsonDocument(list).toJson(QJsonDocument::Compact);
    const QByteArray nameJson =
        QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
    return "{\"op\":" + nameJson + ",\"args\":" + argsJson + "}";
}

QByteArray RecordingSurface::toJsonLines() const {
    QByteArray out;
    for (const Operation& op : operations_)
        out += op.toJson() + '\n';
    return out;
}

void RecordingSurface::record(const char* name, QVariantList args) {
    if (failAt_ >= 0 && made_ >= failAt_)
        throw PrintError(QStringLiteral("プリンタでエラーが発生しました。"));
    ++made_;
    operations_.push_back({QString::fromLatin1(name), std::move(args)});
}

void RecordingSurface::SetPaperSize(PaperSize) { record("SetPaperSize", {QStringLiteral("A4")}); }

void RecordingSurface::SetOrientation(Orientation o) {
    record("SetOrientation", {o == Orientation::Landscape ? QStringLiteral("Landscape")
                                                          : QStringLiteral("Portrait")});
}

void RecordingSurface::SetUnit(Unit u) {
    record("SetUnit", {u == Unit::Twip ? QStringLiteral("Twip") : QStringLiteral("Millimetre")});
}

void RecordingSurface::SetFontName(const QString& name) { record("SetFontName", {name}); }
void RecordingSurface::SetFontSize(float points) { record("SetFontSize", {points}); }
void RecordingSurface::SetFontBold(bool bold) { record("SetFontBold", {bold}); }
void RecordingSurface::SetFontStretch(int percent) { record("SetFontStretch", {percent}); }
void RecordingSurface::SetPenWidth(std::int16_t dots) { record("SetPenWidth", {int(dots)}); }

void RecordingSurface::SetPenStyle(PenStyle style) {
    record("SetPenStyle",
           {style == PenStyle::Dotted ? QStringLiteral("Dotted") : QStringLiteral("Solid")});
}

void RecordingSurface::SetFontAngle(float degrees) { record("SetFontAngle", {degrees}); }

void RecordingSurface::FillPolygon(const QPolygonF& points) {
    QVariantList corners;
    for (const QPointF& p : points)
        corners << float(p.x()) << float(p.y());
    record("FillPolygon", corners);
}

void RecordingSurface::MoveTo(float x, float y) { record("MoveTo", {x, y}); }
void RecordingSurface::Line(float x1, float y1, float x2, float y2) {
    record("Line", {x1, y1, x2, y2});
}
void RecordingSurface::Box(float x1, float y1, float x2, float y2) {
    record("Box", {x1, y1, x2, y2});
}
void RecordingSurface::LineRelative(float dx, float dy) { record("LineRelative", {dx, dy}); }
void RecordingSurface::Circle(float x, float y, float radius) { record("Circle", {x, y, radius}); }
void RecordingSurface::PrintText(const QString& text) { record("PrintText", {text}); }

void RecordingSurface::DrawPicture(const QImage& picture, float x, float y) {
    record("DrawPicture", {x, y, picture.width(), picture.height()});
}

void RecordingSurface::DrawPictureScaled(const QImage& picture, float x, float y, float width,
                                         float height) {
    record("DrawPictureScaled", {x, y, picture.width(), picture.height(), width, height});
}

void RecordingSurface::NoteFit(int fieldIndex, FitState state) {
    record("NoteFit", {fieldIndex, state == FitState::DoesNotFit ? QStringLiteral("DoesNotFit")
                                                                 : QStringLiteral("Fitted")});
}

void RecordingSurface::EndJob() { record("EndJob", {}); }

void RecordingSurface::CancelJob() { cancelled_ = true; }

} // namespace mivo
