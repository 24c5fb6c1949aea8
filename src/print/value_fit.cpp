#include "print/value_fit.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_store.h"
#include "print/dispatch.h"
#include "print/recording_surface.h"
#include "print/typefaces.h"

#include <QCache>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace mivo {
namespace {

constexpr int kLeastStretch = 60;
constexpr int kEasyStretch = 80; // one line this condensed still reads easily
constexpr float kLeastPoints = 7;
constexpr float kPointStep = 0.5f;

// A line breaks after these, or at a space; failing those, between any two characters.
constexpr QStringView kBreakAfter[] = {u"丁目", u"番地", u"号"};

bool isSpace(QChar c) { return c == u' ' || c == u'\u3000'; }

class Measure {
  public:
    Measure(const TextStyle& style, float points)
        : metrics_(printFont(style.face, points, style.bold)) {}

    double width(const QString& text) const { return metrics_.horizontalAdvance(text); }
    double lineSpacing() const { return metrics_.lineSpacing(); }
    // The width of each leading part: ends[i] is the width of the first i characters.
    std::vector<double> prefixWidths(const QString& text) const {
        std::vector<double> ends(text.size() + 1, 0.0);
        for (qsizetype i = 0; i < text.size(); ++i)
            ends[i + 1] = ends[i] + metrics_.horizontalAdvance(text.at(i));
        return ends;
    }

  private:
    QFontMetricsF metrics_;
};

int stretchFor(double natural, double width) {
    return natural <= width ? 100 : int(std::floor(width * 100 / natural));
}

bool splitsPair(const QString& text, qsizetype at) {
    return at > 0 && at < text.size() && text.at(at).isLowSurrogate();
}

struct TwoLines {
    QString first, second;
};

TwoLines breakAt(const QString& text, qsizetype at) {
    if (isSpace(text.at(at)))
        return {text.left(at), text.mid(at + 1)};
    return {text.left(at), text.mid(at)};
}

// The sensible break (after 丁目/番地/号 or at a space) that leaves the wider line narrowest.
std::optional<TwoLines> sensibleBreak(const Measure& measure, const QString& text) {
    std::optional<TwoLines> best;
    double bestWidth = 0;
    for (qsizetype at = 1; at < text.size(); ++at) {
        const bool sensible =
            isSpace(text.at(at)) ||
            std::any_of(std::begin(kBreakAfter), std::end(kBreakAfter), [&](QStringView word) {
                return QStringView(text).left(at).endsWith(word);
            });
        if (!sensible || splitsPair(text, at))
            continue;
        TwoLines lines = breakAt(text, at);
        if (lines.first.trimmed().isEmpty() || lines.second.trimmed().isEmpty())
            continue;
        const double wider = std::max(measure.width(lines.first), measure.width(lines.second));
        if (!best || wider < bestWidth) {
            best = std::move(lines);
            bestWidth = wider;
        }
    }
    return best;
}

// The break between the two characters nearest the middle.
TwoLines middleBreak(const Measure& measure, const QString& text) {
    const std::vector<double> ends = measure.prefixWidths(text);
    qsizetype middle = 1;
    while (middle + 1 < text.size() && ends[middle + 1] <= ends.back() / 2)
        ++middle;
    if (splitsPair(text, middle))
        ++middle;
    return breakAt(text, middle);
}

FittedValue onTwoLines(const Measure& measure, float points, const TwoLines& lines, double width) {
    const double wider = std::max(measure.width(lines.first), measure.width(lines.second));
    return {FitState::Fitted, stretchFor(wider, width), points, lines.first + u'\n' + lines.second};
}

// The longest leading part of `text` that is at most `width` wide.
qsizetype fittingLength(const Measure& measure, const QString& text, double width) {
    const std::vector<double> ends = measure.prefixWidths(text);
    qsizetype length = 0;
    while (length < text.size() && ends[length + 1] <= width)
        ++length;
    if (splitsPair(text, length))
        --length;
    while (length > 0 && measure.width(text.left(length)) > width)
        --length;
    return length;
}

FittedValue fitAfresh(const QString& value, const TextStyle& style, double width, double height) {
    const QStringList typed =
        QString(value).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    const auto linesAt = [&](const Measure& measure) {
        return height >= 2 * measure.lineSpacing() ? 2 : 1;
    };
    // The same sizes and breaks are tried again and again as the size steps down: measure each
    // size once, and try each size's two lines once.
    std::map<float, Measure> measures;
    const auto measureAt = [&](float points) -> const Measure& {
        auto found = measures.find(points);
        if (found == measures.end())
            found = measures.emplace(points, Measure(style, points)).first;
        return found->second;
    };
    const Measure& natural = measureAt(style.points);
    if (typed.size() <= linesAt(natural) &&
        std::all_of(typed.begin(), typed.end(),
                    [&](const QString& line) { return natural.width(line) <= width; }))
        return {FitState::Fits, 100, style.points, value};

    const QString text = typed.join(QLatin1Char(' '));
    // Per size: one line unless it would be much narrower than two; two lines at a sensible
    // break, or between characters when a sensible break needs more than a point smaller.
    std::map<std::pair<float, bool>, std::optional<FittedValue>> tried;
    const auto twoLinesAfresh = [&](float points, bool sensibleOnly) -> std::optional<FittedValue> {
        const Measure& measure = measureAt(points);
        if (points < kLeastPoints || linesAt(measure) < 2 || text.size() < 2)
            return std::nullopt;
        if (const std::optional<TwoLines> lines = sensibleBreak(measure, text)) {
            const FittedValue fit = onTwoLines(measure, points, *lines, width);
            if (fit.stretch >= kLeastStretch)
                return fit;
        }
        if (sensibleOnly)
            return std::nullopt;
        return onTwoLines(measure, points, middleBreak(measure, text), width);
    };
    const auto twoLines = [&](float points, bool sensibleOnly) {
        const std::pair key{points, sensibleOnly};
        auto found = tried.find(key);
        if (found == tried.end())
            found = tried.emplace(key, twoLinesAfresh(points, sensibleOnly)).first;
        return found->second;
    };
    for (float points = style.points; points >= kLeastPoints; points -= kPointStep) {
        const Measure& measure = measureAt(points);
        const FittedValue one{FitState::Fitted, stretchFor(measure.width(text), width), points,
                              text};
        if (one.stretch >= kEasyStretch)
            return one;
        std::optional<FittedValue> two = twoLines(points, true);
        for (int smaller = 1; !two && smaller <= 2; ++smaller)
            two = twoLines(points - smaller * kPointStep, true);
        if (!two)
            two = twoLines(points, false);
        if (two && two->stretch >= kLeastStretch && two->stretch > one.stretch)
            return *two;
        if (one.stretch >= kLeastStretch)
            return one;
    }

    // At the limits: as much as goes, line by line, and nothing over the gap's edge.
    const Measure& least = measureAt(kLeastPoints);
    const double room = width * 100 / kLeastStretch;
    QString rest = text;
    QStringList lines;
    for (int line = 0; line < linesAt(least) && !rest.isEmpty(); ++line) {
        const qsizetype length = fittingLength(least, rest, room);
        lines << rest.left(length);
        rest = rest.mid(length);
        if (!rest.isEmpty() && isSpace(rest.front()))
            rest.remove(0, 1);
    }
    return {FitState::DoesNotFit, kLeastStretch, kLeastPoints, lines.join(QLatin1Char('\n'))};
}

} // namespace

FittedValue fitValue(const QString& value, const TextStyle& style, double width, double height) {
    // The check before printing fits each value, and printing fits it again: keep the last
    // few hundred answers (each value is at most a thousand characters).
    thread_local QCache<QString, FittedValue> recent(256);
    // Sizes in full, so that two gaps a hair apart are never taken for one.
    const auto exactly = [](double number) { return QString::number(number, 'g', 17); };
    const QChar apart(0x1f);
    const QString key = style.face + apart + exactly(style.points) + apart +
                        QString::number(style.bold) + apart + exactly(width) + apart +
                        exactly(height) + apart + value;
    if (const FittedValue* known = recent.object(key))
        return *known;
    const FittedValue fitted = fitAfresh(value, style, width, height);
    recent.insert(key, new FittedValue(fitted));
    return fitted;
}

QHash<int, FitState> fitStatesOf(FieldRun within, const FieldStore& fields) {
    // Each page is played once with its values, on a surface that keeps only the notes of fit.
    class Probe : public RecordingSurface {
      public:
        QHash<int, FitState> states;
        void NoteFit(int fieldIndex, FitState fit) override {
            if (fit != FitState::Fits)
                states.insert(fieldIndex, fit);
        }
    };
    QHash<int, FitState> states;
    for (const DocumentInfo& info : documents()) {
        CurrentDocument document;
        bool any = false;
        for (int index = info.fields.first; index <= info.fields.last(); ++index) {
            if (within.contains(index) && !fields.value(index).isEmpty()) {
                document.fields().setValue(index, fields.value(index));
                any = true;
            }
        }
        if (!any)
            continue;
        document.setTitle(info.title);
        // A failure (no face to measure with) is for printing to report.
        Probe page;
        if (!insatu(page, document).failed())
            states.insert(page.states);
    }
    return states;
}

FitState fitStateOf(int fieldIndex, const QString& value) {
    FieldStore fields;
    fields.setValue(fieldIndex, value);
    return fitStatesOf({fieldIndex, 1}, fields).value(fieldIndex, FitState::Fits);
}

} // namespace mivo
