#pragma once

#include "archive/station_codes.h"
#include "tools/common/day_file_reader.h"
#include "tools/helicorder/drum_span.h"
#include "tools/helicorder/drum_trace.h"

namespace kelvra::helicorder {

using ReadReport = tools::DayFilesReport;

// Reads one channel's day files for the span and adds their samples to `trace`.
ReadReport readChannel(const QString& root, const archive::StationCodes& codes, const QString& channel,
                       const DrumSpan& span, DrumTrace& trace);

}  // namespace kelvra::helicorder
