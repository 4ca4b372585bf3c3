#pragma once

#include <chrono>

namespace kelvra::boardsim {

using SimClock = std::chrono::steady_clock;

// Start bit, eight data bits and a stop bit at 9600 bit/s.
constexpr std::chrono::nanoseconds kCharTime{1'041'667};

}  // namespace kelvra::boardsim
