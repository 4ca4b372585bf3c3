#pragma once

#include "detector/detected_event.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kelvra::detector {

// The event list's lines, as the recorder appends them and kelvra-events prints them.
QString csvHeader();  // onset_utc,end_utc,channels,peak_ratio,peak_counts
// `channelCodes` names the detector's streams by index; the event's channels are joined by '+'.
QString csvLine(const DetectedEvent& event, const QStringList& channelCodes);
// ISO 8601 UTC with milliseconds and a Z: 2026-12-09T14:03:22.480Z
QString utcText(std::int64_t utcNs);
// The event's channels as SEED codes joined by '+': SHZ+SH1
QString channelsText(const DetectedEvent& event, const QStringList& channelCodes);

}  // namespace kelvra::detector
