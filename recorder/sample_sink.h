#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kelvra {

// Why a request's reading is not kept.
enum class GapReason {
    NoReply,      // nothing arrived for it
    NotANumber,   // noise, pieces, or replies run together with something between them
    OutOfRange,   // a number the board cannot send, such as two replies run together
    CutShort,     // the next read carried what may be its tail
    Uncertain,    // it followed a request left without any answer, and may be that one's, late
    Count
};

using GapCounts = std::array<std::int64_t, static_cast<std::size_t>(GapReason::Count)>;

// Where the recorder hands each reading it can vouch for. A request without one makes a gap()
// call instead, so every request is accounted for once.
class SampleSink {
public:
    virtual ~SampleSink() = default;
    // channel 0..3; utcNs: nanoseconds since 1970-01-01 UTC at which the request for this
    // reading was written to the line.
    virtual void record(int channel, std::int32_t counts, std::int64_t utcNs) = 0;
    virtual void gap(int channel, GapReason reason) = 0;
};

}  // namespace kelvra
