#pragma once

#include "tools/events/event_search_options.h"

#include <QDateTime>
#include <QStringList>

namespace kelvra::eventsearch {

struct SearchOutcome {
    QStringList lines;     // the event list's lines, header first
    QStringList problems;  // parts of the input that could not be read; the search went on
    QString failure;       // why nothing could be searched, or empty
};

// Runs the recorder's detector over the archived day files of the span, the streams' samples
// merged in time order. The reading starts five long-term averages before the span so that an
// event early in it is found; only events with their onset in the span are listed.
SearchOutcome searchEvents(const SearchRequest& request, const QDateTime& now);

}  // namespace kelvra::eventsearch
