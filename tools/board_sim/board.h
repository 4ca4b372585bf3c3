#pragma once

#include "tools/board_sim/faults.h"
#include "tools/board_sim/outbox.h"
#include "tools/board_sim/signal_model.h"

#include <memory>
#include <optional>

namespace kelvra::boardsim {

constexpr std::size_t kBurstBytes = 64 * 1024;

struct BoardCounters {
    std::uint64_t requests = 0;
    std::uint64_t replies = 0;
    std::uint64_t ignored = 0;
};

// What the board meant to send in answer to a request, before the faults shaped it.
struct SentReply {
    int channel;
    std::string reading;
    // The noise fault sent random bytes instead.
    bool noise;
};

// The converter board's firmware: answers requests "0".."3" with a reading and, when faulty,
// also speaks unasked. What it sends waits in its outbox for the line.
class Board {
public:
    Board(std::unique_ptr<SignalModel> signal, const Faults& faults, std::uint64_t seed,
          SimClock::time_point start);

    // The reply, if the byte was a request the board answers.
    std::optional<SentReply> receive(char byte, SimClock::time_point now);
    // Sends what the board says of its own accord when its time has come.
    void advance(SimClock::time_point now);
    // When advance() next has something to do; the outbox keeps its own schedule.
    std::optional<SimClock::time_point> nextWake() const;

    Outbox& outbox() { return outbox_; }
    const Outbox& outbox() const { return outbox_; }
    const BoardCounters& counters() const { return counters_; }

private:
    std::string readingText(int channel, SimClock::time_point now);
    std::string burstText();
    std::chrono::nanoseconds chatterPause();

    std::unique_ptr<SignalModel> signal_;
    Faults faults_;
    ReplyShaper shaper_;
    SimRandom random_;
    SimClock::time_point start_;
    Outbox outbox_;
    BoardCounters counters_;
    std::optional<SimClock::time_point> nextChatter_;
    std::optional<SimClock::time_point> burstAt_;
    bool burstSent_ = false;
};

}  // namespace kelvra::boardsim
