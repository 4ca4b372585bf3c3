#pragma once

#include <chrono>

namespace kelvra::boardsim {

using SimClock = std::chrono::steady_clock;

// Start bit, eight data bits and a stop bit at 9600 bit/s.
constexpr std::chrono::nanoseconds kCharTime{1'041'667};
// A request reaches the board after its own character time, and the first character of the
// reply needs another to reach the client.
constexpr std::chrono::nanoseconds kReplyLead = 2 * kCharTime;

}  // namespace kelvra::boardsim
