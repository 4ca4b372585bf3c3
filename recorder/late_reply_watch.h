#pragma once

#include <bitset>
#include <cstddef>

namespace kelvra {

// Tells once when replies keep missing their tick: more than one read in twenty over the last
// minute of ticks brought bytes that came in after the tick's read yet answer an earlier request.
class LateReplyWatch {
public:
    static constexpr std::size_t kWindowTicks = 3000;  // a minute of 20 ms ticks
    static constexpr std::size_t kLateLimit = kWindowTicks / 20;

    // True on the read that first passes the limit, and never again.
    bool note(bool late)
    {
        if (told_)
            return false;
        if (window_[next_])
            --late_;
        window_[next_] = late;
        late_ += late ? 1 : 0;
        next_ = (next_ + 1) % kWindowTicks;
        told_ = late_ > kLateLimit;
        return told_;
    }

private:
    std::bitset<kWindowTicks> window_;
    std::size_t next_ = 0;
    std::size_t late_ = 0;
    bool told_ = false;
};

}  // namespace kelvra
