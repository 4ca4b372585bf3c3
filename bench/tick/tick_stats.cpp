#include "bench/tick/tick_stats.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace kelvra::bench {
namespace {

std::int64_t nanos(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

std::int64_t threadCpuNanos() { return nanos(CLOCK_THREAD_CPUTIME_ID); }

std::int64_t steadyNanos() { return nanos(CLOCK_MONOTONIC); }

double quantile(std::vector<double>& samples, double q)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

}  // namespace kelvra::bench
