#include "tools/board_sim/signal_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra::boardsim {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kMidScale = 512.0;
constexpr double kMeanEventGapSeconds = 20.0;
constexpr double kNoiseCounts = 2.5;
constexpr double kMicroseismCounts = 2.0;
constexpr double kMicroseismPeriodSeconds = 6.3;
constexpr double kOnsetSeconds = 0.08;
// An event is dropped once its envelope is far below one count.
constexpr double kEventLifeInDecays = 8.0;
// The chosen event: some 150 to 320 counts from mid-scale by the channel's gain, far above the
// background everywhere and well inside the converter's range; its coda rings at 2.4 to 3.75 Hz
// by the channel's pitch.
constexpr double kChosenEventCounts = 300.0;
constexpr double kChosenEventDecaySeconds = 2.5;
constexpr double kChosenEventHz = 3.0;
// Around the chosen event, a steady hum such as a pump near a station makes, at 2 to 3.1 Hz by the
// channel's pitch. It holds the background's power in a short-period band nearly constant, so
// that the sensor noise alone, which now and then lifts a 1 s / 30 s STA/LTA above 3.5, stays
// below 2.7.
constexpr double kHumCounts = 4.0;
constexpr double kHumHz = 2.5;

}  // namespace

SeismicSignal::SeismicSignal(std::uint64_t seed, std::optional<double> eventAt)
    : seed_(seed), random_(seed)
{
    for (int k = 0; k < kChannels; ++k) {
        channels_[k] = Channel{random_.between(-6.0, 6.0), random_.between(0.6, 1.2),
                               random_.between(0.8, 1.25), random_.between(0.0, kTwoPi), 0.04 * k};
    }
    if (eventAt) {
        events_.push_back(Event{*eventAt, kChosenEventCounts, kChosenEventDecaySeconds, kChosenEventHz});
        nextEventStart_ = std::numeric_limits<double>::infinity();
        humCounts_ = kHumCounts;
    } else {
        // The first event comes soon so that a short look at the traces shows one.
        nextEventStart_ = random_.between(2.0, 8.0);
    }
}

void SeismicSignal::followEventsTo(double seconds)
{
    while (nextEventStart_ <= seconds) {
        // Mostly small events, now and then one that nearly fills the scale.
        const double size = random_.unit();
        events_.push_back(Event{nextEventStart_, 40.0 + 400.0 * size * size * size,
                                random_.between(1.5, 4.0), random_.between(1.5, 5.0)});
        nextEventStart_ += -kMeanEventGapSeconds * std::log(1.0 - random_.unit());
    }
    while (!events_.empty()
           && seconds > events_.front().start + kEventLifeInDecays * events_.front().decay + 1.0)
        events_.pop_front();
}

double SeismicSignal::noise(int channel, double seconds) const
{
    // Keyed by the millisecond so that one instant always reads the same.
    const auto millisecond = static_cast<std::uint64_t>(seconds * 1000.0);
    std::uint64_t bits = splitMix(seed_ ^ splitMix(millisecond * kChannels + channel));
    double sum = 0.0;
    for (int i = 0; i < 4; ++i) {
        sum += static_cast<double>(bits & 0xffff) / 65536.0;
        bits >>= 16;
    }
    return (sum - 2.0) * kNoiseCounts;
}

long long SeismicSignal::reading(int channel, double seconds)
{
    followEventsTo(seconds);
    const Channel& c = channels_[channel];
    double value = kMidScale + c.offset + noise(channel, seconds)
        + kMicroseismCounts * std::sin(kTwoPi * seconds / kMicroseismPeriodSeconds + c.phase)
        + humCounts_ * std::sin(kTwoPi * kHumHz * c.pitch * seconds + c.phase);
    for (const Event& e : events_) {
        const double t = seconds - e.start - c.delay;
        if (t <= 0.0)
            continue;
        const double envelope = (1.0 - std::exp(-t / kOnsetSeconds)) * std::exp(-t / e.decay);
        value += e.amplitude * c.gain * envelope * std::sin(kTwoPi * e.frequency * c.pitch * t + c.phase);
    }
    return std::llround(std::clamp(value, 0.0, static_cast<double>(kMaxReading)));
}

}  // namespace kelvra::boardsim
