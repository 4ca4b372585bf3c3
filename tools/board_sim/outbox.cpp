#include "tools/board_sim/outbox.h"

#include <algorithm>

namespace kelvra::boardsim {

void Outbox::push(SimClock::time_point due, std::string bytes, bool paced)
{
    if (!bytes.empty())
        pieces_.push_back(Piece{due, std::move(bytes), paced});
}

void Outbox::release(SimClock::time_point now)
{
    push(now, std::move(held_), false);
    held_.clear();
}

SimClock::time_point Outbox::firstSlot() const
{
    return std::max(pieces_.front().due, lineFree_);
}

std::string_view Outbox::ready(SimClock::time_point now) const
{
    if (pieces_.empty())
        return {};
    const Piece& p = pieces_.front();
    const std::string_view left = std::string_view(p.bytes).substr(p.done);
    const SimClock::time_point slot = firstSlot();
    if (now < slot)
        return {};
    if (!p.paced)
        return left;
    const auto slots = static_cast<std::size_t>((now - slot) / kCharTime) + 1;
    return left.substr(0, std::min(slots, left.size()));
}

void Outbox::sent(std::size_t count, SimClock::time_point now)
{
    if (count == 0)
        return;
    Piece& p = pieces_.front();
    lineFree_ = p.paced ? firstSlot() + kCharTime * static_cast<std::chrono::nanoseconds::rep>(count) : now;
    p.done += count;
    bytesSent_ += count;
    if (p.done == p.bytes.size())
        pieces_.pop_front();
}

std::optional<SimClock::time_point> Outbox::nextDue() const
{
    if (pieces_.empty())
        return std::nullopt;
    return firstSlot();
}

}  // namespace kelvra::boardsim
