#pragma once

#include "archive/station_codes.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kelvra::helicorder {

// What the page shows of one line of an event list.
struct ListedEvent {
    qint64 onsetMicros;  // UTC, since 1970
    double peakRatio;
};

struct EventListRead {
    std::vector<ListedEvent> events;
    // The list that could not be read, or each line that is not an event line.
    QStringList problems;
};

// <root>/events/<NET>.<STA>.<LOC>.csv, where the recorder lists the station's events: one list for
// all its channels.
QString stationEventList(const QString& root, const archive::StationCodes& codes);

// The lines under the header onset_utc,end_utc,channels,peak_ratio,peak_counts; one that is not
// such a line is said with its number and passed over, so a damaged list still marks the rest.
EventListRead readEventList(const QString& path);

}  // namespace kelvra::helicorder
