#include "detector/stream_trigger.h"

#include <algorithm>
#include <cmath>

namespace kelvra::detector {
namespace {

// Samples further apart than this many periods have a gap between them. One reply lost on a
// noisy line, a late tick or the sweep's 50 ms pause when it wraps is bridged: restarting would
// blind the channel for a whole long-term average, and a loaded machine or a poor cable loses
// a reply every few seconds. Two lost replies in a row restart it.
constexpr double kLongestStepInPeriods = 2.5;

// As ObsPy counts an average's length in samples: int(seconds * rate).
std::int64_t samplesIn(double seconds, double sampleRateHz)
{
    return std::max<std::int64_t>(1, std::int64_t(seconds * sampleRateHz));
}

}  // namespace

RecursiveStaLta::RecursiveStaLta(std::int64_t nsta, std::int64_t nlta)
    : staWeight_(1.0 / double(nsta)), ltaWeight_(1.0 / double(nlta)), nlta_(nlta)
{
}

double RecursiveStaLta::ratio(double sample)
{
    const double square = sample * sample;
    sta_ = staWeight_ * square + (1 - staWeight_) * sta_;
    lta_ = ltaWeight_ * square + (1 - ltaWeight_) * lta_;
    // A constant signal has no background to stand out from.
    if (count_++ < nlta_ || lta_ <= 0)
        return 0;
    return sta_ / lta_;
}

void RecursiveStaLta::reset()
{
    sta_ = 0;
    lta_ = 0;
    count_ = 0;
}

StreamTrigger::StreamTrigger(const TriggerParameters& parameters)
    : parameters_(parameters),
      longestStepNs_(std::int64_t(std::llround(kLongestStepInPeriods * 1e9 / parameters.sampleRateHz))),
      bandPass_(parameters.sampleRateHz, parameters.lowHz, parameters.highHz),
      staLta_(samplesIn(parameters.staSeconds, parameters.sampleRateHz),
              samplesIn(parameters.ltaSeconds, parameters.sampleRateHz))
{
}

std::optional<Trigger> StreamTrigger::add(std::int32_t counts, std::int64_t utcNs)
{
    std::optional<Trigger> ended;
    if (lastNs_ && (utcNs <= *lastNs_ || utcNs - *lastNs_ > longestStepNs_))
        ended = finish();
    lastNs_ = utcNs;
    // A strong event may clip; a channel that sits at an end of the range is out of order.
    if (!open_ && clipped(counts)) {
        restart();
        return ended;
    }
    if (!offset_)
        offset_ = counts;
    const double filtered = bandPass_.filter(float(counts - *offset_));
    const double ratio = staLta_.ratio(filtered);
    if (open_) {
        if (ratio > parameters_.offRatio) {
            open_->endNs = utcNs;
            open_->peakRatio = std::max(open_->peakRatio, ratio);
            open_->peakCounts = std::max(open_->peakCounts, std::abs(filtered));
        } else {
            ended = open_;
            open_.reset();
        }
    } else if (ratio > parameters_.onRatio) {
        open_ = Trigger{utcNs, utcNs, ratio, std::abs(filtered)};
    }
    return ended;
}

std::optional<Trigger> StreamTrigger::finish()
{
    std::optional<Trigger> ended = open_;
    restart();
    return ended;
}

std::optional<std::int64_t> StreamTrigger::openSince() const
{
    return open_ ? std::optional<std::int64_t>(open_->onNs) : std::nullopt;
}

bool StreamTrigger::clipped(std::int32_t counts) const
{
    return parameters_.fullScale
           && (counts <= parameters_.fullScale->first || counts >= parameters_.fullScale->second);
}

void StreamTrigger::restart()
{
    bandPass_.reset();
    staLta_.reset();
    offset_.reset();
    open_.reset();
}

}  // namespace kelvra::detector
