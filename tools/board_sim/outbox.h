#pragma once

#include "tools/board_sim/serial_timing.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace kelvra::boardsim {

// The board's transmitter: bytes leave in order, one character time apart as from a 9600 baud
// UART, except bulk data, which leaves as fast as the far side takes it. Slots are counted from
// the schedule rather than from the moment of writing, so a late wake-up catches up.
class Outbox {
public:
    void push(SimClock::time_point due, std::string bytes, bool paced = true);
    // Bytes that wait for release() and then leave at once, in one unpaced piece.
    void hold(const std::string& bytes) { held_ += bytes; }
    void release(SimClock::time_point now);
    // The bytes that may be written now, all from the oldest piece.
    std::string_view ready(SimClock::time_point now) const;
    // The writer took this many of the ready bytes.
    void sent(std::size_t count, SimClock::time_point now);
    std::optional<SimClock::time_point> nextDue() const;
    bool empty() const { return pieces_.empty() && held_.empty(); }
    void clear()
    {
        pieces_.clear();
        held_.clear();
    }
    std::uint64_t bytesSent() const { return bytesSent_; }

private:
    struct Piece {
        SimClock::time_point due;
        std::string bytes;
        bool paced;
        std::size_t done = 0;
    };
    SimClock::time_point firstSlot() const;

    std::deque<Piece> pieces_;
    std::string held_;
    SimClock::time_point lineFree_{};
    std::uint64_t bytesSent_ = 0;
};

}  // namespace kelvra::boardsim
