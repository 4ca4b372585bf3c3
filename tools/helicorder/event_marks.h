#pragma once

#include "tools/helicorder/drum_span.h"
#include "tools/helicorder/drum_trace.h"
#include "tools/helicorder/event_list.h"

#include <QString>
#include <vector>

namespace kelvra::helicorder {

// A listed event where the page shows it: the line and column of its onset, and the label beside
// the tick, the onset on the page's clock and the peak STA/LTA.
struct EventMark {
    int line;
    int column;
    QString label;
};

// The marks of the events whose onset falls in the span, whatever channel the page draws (the
// list is the station's), line by line and left to right.
std::vector<EventMark> eventMarks(const std::vector<ListedEvent>& events, const DrumSpan& span, const DrumTrace& trace);

}  // namespace kelvra::helicorder
