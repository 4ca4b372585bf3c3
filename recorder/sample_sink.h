#pragma once

#include <cstdint>

namespace kelvra {

// Where the recorder hands each stored reading. A tick without a storable reading makes no
// call, so a gap in the calls is a gap in the data.
class SampleSink {
public:
    virtual ~SampleSink() = default;
    // channel 0..3; utcNs: nanoseconds since 1970-01-01 UTC at which the request for this
    // reading was written to the line.
    virtual void record(int channel, std::int32_t counts, std::int64_t utcNs) = 0;
};

}  // namespace kelvra
