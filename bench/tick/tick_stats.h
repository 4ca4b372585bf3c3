#pragma once

#include <cstdint>
#include <vector>

namespace kelvra::bench {

// Nanoseconds of CPU time this thread has used.
std::int64_t threadCpuNanos();
// Nanoseconds of the monotonic clock.
std::int64_t steadyNanos();

// The q-quantile (0..1) of the samples by the nearest-rank method; sorts them.
double quantile(std::vector<double>& samples, double q);

}  // namespace kelvra::bench
