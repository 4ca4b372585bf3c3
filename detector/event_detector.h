#pragma once

#include "detector/detected_event.h"
#include "detector/detector_settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kelvra::detector {

// What one channel's trigger works with, taken from the settings and the stream's sample rate.
struct TriggerParameters : TriggerSettings {
    double sampleRateHz = 12.5;
    // The converter's range: a sample at either end, while the channel is not triggered, is
    // taken as clipped and treated as a gap. Empty for data of unknown range.
    std::optional<std::pair<std::int32_t, std::int32_t>> fullScale;

    static TriggerParameters from(const DetectorSettings& settings, double sampleRateHz);
};

// The recursive STA/LTA of several streams and their coincidence. Fed samples of all streams in
// time order (a stream's own strictly so; across streams up to 2 s out is harmless), it hands out
// each event once the last overlapping trigger is off and the data have gone 2 s past its end.
// A stream's gap (samples more than 2.5 periods apart, or going back in time) or clipped sample
// resets its filter and averages, and it cannot trigger until its long-term average has filled
// again. Triggers overlap when one goes on at or before another's end.
class EventDetector {
public:
    EventDetector(std::vector<TriggerParameters> streams, int minChannels);
    ~EventDetector();
    EventDetector(const EventDetector&) = delete;
    EventDetector& operator=(const EventDetector&) = delete;

    void add(int stream, std::int32_t counts, std::int64_t utcNs);
    // The end of the data: triggers still on end at their stream's last sample.
    void finish();
    // The events ended since the last call, in order of onset.
    std::vector<DetectedEvent> takeEnded();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace kelvra::detector
