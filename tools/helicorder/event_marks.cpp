#include "tools/helicorder/event_marks.h"

#include <QCoreApplication>

#include <algorithm>
#include <tuple>

namespace kelvra::helicorder {

std::vector<EventMark> eventMarks(const std::vector<ListedEvent>& events, const DrumSpan& span, const DrumTrace& trace)
{
    std::vector<EventMark> marks;
    for (const ListedEvent& event : events) {
        const DrumTrace::Cell cell = trace.cellAt(event.onsetMicros);
        if (cell.line < 0)
            continue;
        marks.push_back({cell.line, cell.column,
                         QCoreApplication::translate("Helicorder", "%1 STA/LTA %2")
                             .arg(span.at(event.onsetMicros).toString(QStringLiteral("HH:mm:ss")),
                                  QString::number(event.peakRatio, 'f', 1))});
    }
    // In the order the page reads, whatever order the list is in.
    std::sort(marks.begin(), marks.end(),
              [](const EventMark& a, const EventMark& b) { return std::tie(a.line, a.column) < std::tie(b.line, b.column); });
    return marks;
}

}  // namespace kelvra::helicorder
