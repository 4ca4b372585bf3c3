#pragma once

#include "tools/board_sim/serial_timing.h"
#include "tools/board_sim/sim_random.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvra::boardsim {

// Misbehaviours of real boards and USB serial adapters; any of them may be combined.
struct Faults {
    bool silent = false;
    bool late = false;
    bool split = false;
    bool noise = false;
    bool chatty = false;
    bool burst = false;
    bool straddle = false;
    std::optional<std::chrono::milliseconds> hangupAfter;
    // After the hang-up, a new device under the same link, as an adapter plugged in again.
    bool replug = false;
};

constexpr std::chrono::seconds kReplugAfter{1};

constexpr std::chrono::milliseconds kLateBy{25};
constexpr std::chrono::milliseconds kSplitGap{15};
constexpr int kNoiseOneIn = 20;

// A piece of a reply and when it is due, counted from the arrival of the request. A held piece
// waits instead for the next request, as in a USB adapter whose latency timer has not run out.
struct ReplyPiece {
    std::chrono::nanoseconds delay;
    std::string bytes;
    bool held = false;
};

struct ShapedReply {
    std::vector<ReplyPiece> pieces;
    // The noise fault sent random bytes instead of the reading.
    bool noise = false;
};

// Turns the reply a healthy board would send into what the faulty one sends.
class ReplyShaper {
public:
    ReplyShaper(const Faults& faults, std::uint64_t seed) : faults_(faults), random_(seed) {}
    ShapedReply shape(const std::string& reply);

private:
    enum class Straddle { None, Whole, Tail };

    std::string garbage();
    Straddle straddle();

    Faults faults_;
    SimRandom random_;
};

}  // namespace kelvra::boardsim
