#pragma once

#include "tools/board_sim/serial_timing.h"

#include <cstdio>
#include <optional>
#include <string>

namespace kelvra::boardsim {

// The running totals, shown at most once a second and only when they changed. On a terminal
// the line is rewritten in place instead of scrolling.
class StatusLine {
public:
    StatusLine(std::FILE* out, bool enabled);
    void show(const std::string& text, SimClock::time_point now);
    // When a changed text that had to wait may be shown.
    std::optional<SimClock::time_point> nextDue() const;
    void finish();

private:
    void print(const std::string& text, SimClock::time_point now);

    std::FILE* out_;
    bool enabled_;
    bool inPlace_;
    std::string shown_;
    std::string waiting_;
    std::optional<SimClock::time_point> lastShown_;
};

}  // namespace kelvra::boardsim
