#pragma once

#include "archive/station_codes.h"
#include "tools/helicorder/drum_span.h"
#include "tools/helicorder/drum_trace.h"

#include <QStringList>

namespace kelvra::helicorder {

struct ReadReport {
    QStringList filesRead;
    QStringList filesMissing;
    // One message per damaged stretch, left-out record or file that is not a day file; the records
    // around the damage are kept.
    QStringList problems;
};

// Reads one channel's day files for the span with libmseed and adds their samples to `trace`.
// Records of other streams in the same files are passed over.
ReadReport readChannel(const QString& root, const archive::StationCodes& codes, const QString& channel,
                       const DrumSpan& span, DrumTrace& trace);

}  // namespace kelvra::helicorder
