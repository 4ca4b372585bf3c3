#pragma once

#include "tools/board_sim/sim_random.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>

namespace kelvra::boardsim {

constexpr int kChannels = 4;
constexpr long long kMaxReading = 1023;

// The readings of the board's four inputs, by time since the simulator started.
class SignalModel {
public:
    virtual ~SignalModel() = default;
    // Successive calls must not go back in time.
    virtual long long reading(int channel, double seconds) = 0;
};

// Fixed readings, sent as given even beyond the 10-bit range so that clients can be tried on them.
class ConstantSignal final : public SignalModel {
public:
    explicit ConstantSignal(const std::array<long long, kChannels>& values) : values_(values) {}
    long long reading(int channel, double) override { return values_[channel]; }

private:
    std::array<long long, kChannels> values_;
};

// A seismometer at rest: a mid-scale baseline with sensor noise and a slow microseism, and a few
// small local events a minute that ring down on each channel with its own gain, pitch and phase.
// Given `eventAt`, the one strong event that starts then takes the place of the random ones, over
// a steady hum, so that a detector on the readings has exactly one event to find.
class SeismicSignal final : public SignalModel {
public:
    explicit SeismicSignal(std::uint64_t seed, std::optional<double> eventAt = std::nullopt);
    long long reading(int channel, double seconds) override;

private:
    struct Channel {
        double offset;
        double gain;
        double pitch;
        double phase;
        double delay;
    };
    struct Event {
        double start;
        double amplitude;
        double decay;
        double frequency;
    };

    void followEventsTo(double seconds);
    double noise(int channel, double seconds) const;

    std::uint64_t seed_;
    SimRandom random_;
    std::array<Channel, kChannels> channels_{};
    std::deque<Event> events_;
    double nextEventStart_;
    double humCounts_ = 0.0;
};

}  // namespace kelvra::boardsim
