#pragma once

#include "detector/band_pass.h"
#include "detector/event_detector.h"

#include <cstdint>
#include <optional>

namespace kelvra::detector {

// One trigger of one stream, from the first sample above the on ratio to the last above the off ratio.
struct Trigger {
    std::int64_t onNs = 0;
    std::int64_t endNs = 0;
    double peakRatio = 0;
    double peakCounts = 0;  // the largest band-passed amplitude
};

// ObsPy's recursive_sta_lta, one sample at a time: exponential averages of the squared signal
// over nsta and nlta samples, their ratio 0 until nlta samples have come.
class RecursiveStaLta {
public:
    RecursiveStaLta(std::int64_t nsta, std::int64_t nlta);

    double ratio(double sample);
    void reset();

private:
    double staWeight_;
    double ltaWeight_;
    std::int64_t nlta_;
    double sta_ = 0;
    double lta_ = 0;
    std::int64_t count_ = 0;
};

// The trigger of one stream: band-pass, STA/LTA and ObsPy's trigger_onset, started afresh at a
// gap, a step back in time or, outside a trigger, a clipped sample.
class StreamTrigger {
public:
    explicit StreamTrigger(const TriggerParameters& parameters);

    // The trigger this sample ended, if any: at a gap the one before it.
    std::optional<Trigger> add(std::int32_t counts, std::int64_t utcNs);
    // The trigger still on, ended at the last sample.
    std::optional<Trigger> finish();
    // The onset of the trigger still on.
    std::optional<std::int64_t> openSince() const;

private:
    bool clipped(std::int32_t counts) const;
    void restart();

    TriggerParameters parameters_;
    std::int64_t longestStepNs_;
    BandPass bandPass_;
    RecursiveStaLta staLta_;
    std::optional<std::int64_t> lastNs_;
    // The first sample since the start, taken off every sample: the board's offset from zero would
    // otherwise reach a fresh filter as a step.
    std::optional<std::int32_t> offset_;
    std::optional<Trigger> open_;
};

}  // namespace kelvra::detector
