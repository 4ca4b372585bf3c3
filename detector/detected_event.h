#pragma once

#include <cstdint>
#include <vector>

namespace kelvra::detector {

// An event: from the first channel's trigger on to the last one's trigger off, among channels
// whose triggers overlap.
struct DetectedEvent {
    std::int64_t onsetNs = 0;  // UTC, nanoseconds since 1970; the first sample above the on ratio
    std::int64_t endNs = 0;    // the last sample above the off ratio
    std::vector<int> channels;  // the streams that triggered, ascending
    double peakRatio = 0;       // the highest STA/LTA among them
    std::int64_t peakCounts = 0;  // the largest band-passed amplitude among them, in counts
};

}  // namespace kelvra::detector
