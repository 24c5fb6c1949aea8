#pragma once

#include "print/recording_surface.h"

#include <QLineF>
#include <QRectF>
#include <QString>

#include <vector>

// Where a recorded page puts its texts and rules, in millimetres from the printable area's
// top-left corner: each text's line cells at the metrics it prints with, each rule as the band
// its pen covers.
struct TracedText {
    QString text;
    QRectF box;
    std::vector<QRectF> inked; // each run of characters between spaces, line by line
    bool twips = false;        // placed while the unit was twips
};

struct TracedPage {
    std::vector<TracedText> texts;
    std::vector<QRectF> rules;
};

TracedPage tracedPage(const mivo::RecordingSurface& surface);

// Millimetres in a twip.
inline constexpr double MillimetresPerTwip = 25.4 / 1440;
