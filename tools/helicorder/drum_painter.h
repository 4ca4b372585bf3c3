#pragma once

#include "tools/helicorder/drum_geometry.h"
#include "tools/helicorder/drum_span.h"
#include "tools/helicorder/drum_trace.h"
#include "tools/helicorder/event_marks.h"

#include <QColor>
#include <QString>
#include <array>

class QPainter;

namespace kelvra::helicorder {

// Successive lines cycle through these, as the pens of a drum recorder do, so that a large
// event reaching into its neighbours' bands is still told apart from them.
constexpr std::array<QRgb, 4> kLineColours{qRgb(0, 0, 0), qRgb(200, 0, 0), qRgb(0, 0, 200), qRgb(0, 128, 0)};
constexpr QRgb kPaperColour = qRgb(255, 255, 255);
// Of none of the lines, so that an event's tick and label stand out even over its own trace.
constexpr QRgb kMarkColour = qRgb(200, 0, 200);

struct PageText {
    QString title;
    QString subtitle;
};

// Draws the page onto any paint device: an image or an SVG generator.
void paintDrum(QPainter& painter, const DrumGeometry& geometry, const DrumTrace& trace, const DrumSpan& span,
               const PageText& text, const std::vector<EventMark>& marks);

}  // namespace kelvra::helicorder
