#pragma once

#include <cstdint>
#include <random>

namespace kelvra::boardsim {

// mt19937_64's output is fixed by the standard but the library's distributions are not, so values
// are derived here by hand: a seed replays the same run with every standard library.
class SimRandom {
public:
    explicit SimRandom(std::uint64_t seed) : engine_(seed) {}

    std::uint64_t below(std::uint64_t n) { return engine_() % n; }
    double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    double between(double lo, double hi) { return lo + (hi - lo) * unit(); }

private:
    std::mt19937_64 engine_;
};

// A stateless mix of its input, for values that must depend only on where they are asked for.
constexpr std::uint64_t splitMix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

}  // namespace kelvra::boardsim
