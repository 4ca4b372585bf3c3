// The event detector's CPU per channel-day, offline: one channel's day of 12.5 Hz samples
// (1 080 000) of seeded noise with a local quake every ten minutes, fed to the detector, beside
// the same loop that only makes the samples. bench/run_all.sh gives the ratio of the two and the
// share of a core that detection on a live channel takes.

#include "detector/detector_settings.h"
#include "detector/event_detector.h"
#include "recorder/constants.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

namespace {

constexpr std::int64_t kSamplesPerDay = 1'080'000;
constexpr std::int64_t kPeriodNs = 80'000'000;
constexpr std::int64_t kQuakeEvery = 7500;  // samples: ten minutes

// One channel's samples, made cheaply enough that the reference loop stays small: a
// microseism and a quake's coda from tables, uniform noise from a fast generator.
class ChannelDay {
public:
    ChannelDay()
    {
        for (std::size_t i = 0; i < microseism_.size(); ++i)
            microseism_[i] = 6 * std::sin(2 * M_PI * double(i) / double(microseism_.size()));
        for (std::size_t i = 0; i < coda_.size(); ++i) {
            const double t = double(i) / kelvra::kSampleRateHz;
            coda_[i] = 60 * std::exp(-t / 2) * std::sin(2 * M_PI * 3.1 * t);
        }
    }

    std::int32_t at(std::int64_t i)
    {
        const auto sinceQuake = std::size_t(i % kQuakeEvery);
        const double quake = sinceQuake < coda_.size() ? coda_[sinceQuake] : 0;
        const double noise = double(random_() % 9) - 4;
        return std::int32_t(512 + microseism_[std::size_t(i) % microseism_.size()] + quake + noise);
    }

private:
    std::array<double, 63> microseism_{};  // 0.2 Hz
    std::array<double, 100> coda_{};       // 8 s
    std::minstd_rand random_{20261209};
};

void BM_MakeChannelDay(benchmark::State& state)
{
    for (auto _ : state) {
        ChannelDay day;
        std::int64_t sum = 0;
        for (std::int64_t i = 0; i < kSamplesPerDay; ++i)
            sum += day.at(i);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_MakeChannelDay)->Unit(benchmark::kMillisecond);

void BM_DetectChannelDay(benchmark::State& state)
{
    std::size_t events = 0;
    for (auto _ : state) {
        ChannelDay day;
        kelvra::detector::TriggerParameters parameters =
            kelvra::detector::TriggerParameters::from(kelvra::detector::DetectorSettings(), kelvra::kSampleRateHz);
        parameters.fullScale = std::pair{0, kelvra::kBoardFullScale};
        kelvra::detector::EventDetector detector({parameters}, 1);
        for (std::int64_t i = 0; i < kSamplesPerDay; ++i)
            detector.add(0, day.at(i), i * kPeriodNs);
        detector.finish();
        events = detector.takeEnded().size();
    }
    // One a quake: the detector did its work.
    state.counters["events"] = double(events);
}
BENCHMARK(BM_DetectChannelDay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
