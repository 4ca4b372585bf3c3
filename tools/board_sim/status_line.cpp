#include "tools/board_sim/status_line.h"

#include <unistd.h>

namespace kelvra::boardsim {
namespace {

constexpr std::chrono::seconds kMinInterval{1};

}  // namespace

StatusLine::StatusLine(std::FILE* out, bool enabled)
    : out_(out), enabled_(enabled), inPlace_(isatty(fileno(out)) == 1)
{
}

void StatusLine::print(const std::string& text, SimClock::time_point now)
{
    if (inPlace_)
        std::fprintf(out_, "\r%s\033[K", text.c_str());
    else
        std::fprintf(out_, "%s\n", text.c_str());
    std::fflush(out_);
    shown_ = text;
    lastShown_ = now;
}

void StatusLine::show(const std::string& text, SimClock::time_point now)
{
    if (!enabled_ || text == shown_) {
        waiting_.clear();
        return;
    }
    waiting_ = text;
    if (!lastShown_ || now >= *lastShown_ + kMinInterval)
        print(text, now);
}

std::optional<SimClock::time_point> StatusLine::nextDue() const
{
    if (!enabled_ || waiting_.empty() || waiting_ == shown_ || !lastShown_)
        return std::nullopt;
    return *lastShown_ + kMinInterval;
}

void StatusLine::finish()
{
    if (enabled_ && inPlace_ && !shown_.empty()) {
        std::fputc('\n', out_);
        std::fflush(out_);
    }
}

}  // namespace kelvra::boardsim
