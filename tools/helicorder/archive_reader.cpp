#include "tools/helicorder/archive_reader.h"

namespace kelvra::helicorder {

ReadReport readChannel(const QString& root, const archive::StationCodes& codes, const QString& channel,
                       const DrumSpan& span, DrumTrace& trace)
{
    return tools::readDayFiles(root, codes, channel, span.utcDays(),
                               [&trace](qint64 startMicros, double sampleRateHz, const double* samples, int count) {
                                   trace.addRun(startMicros, double(kMicrosPerSecond) / sampleRateHz, samples, count);
                               });
}

}  // namespace kelvra::helicorder
