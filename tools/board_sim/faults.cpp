#include "tools/board_sim/faults.h"

namespace kelvra::boardsim {

std::string ReplyShaper::garbage()
{
    std::string bytes(1 + random_.below(8), '\0');
    for (char& b : bytes) {
        // NUL and 0xFF are what a line glitch most often leaves behind.
        switch (random_.below(4)) {
        case 0: b = '\0'; break;
        case 1: b = '\xff'; break;
        default: b = static_cast<char>(random_.below(256)); break;
        }
    }
    return bytes;
}

ReplyShaper::Straddle ReplyShaper::straddle()
{
    if (!faults_.straddle)
        return Straddle::None;
    switch (random_.below(4)) {
    case 0: return Straddle::Whole;
    case 1: return Straddle::Tail;
    default: return Straddle::None;
    }
}

ShapedReply ReplyShaper::shape(const std::string& reply)
{
    if (faults_.silent)
        return {};
    const bool noise = faults_.noise && random_.below(kNoiseOneIn) == 0;
    const std::string text = noise ? garbage() : reply;
    const Straddle held = straddle();
    const std::chrono::nanoseconds delay = kReplyLead + (faults_.late ? kLateBy : std::chrono::nanoseconds{0});
    if (text.size() < 2 || (!faults_.split && held != Straddle::Tail))
        return {{{delay, text, held != Straddle::None}}, noise};
    const std::size_t half = text.size() / 2;
    const std::chrono::nanoseconds gap = faults_.split ? kSplitGap : std::chrono::nanoseconds{0};
    return {{{delay, text.substr(0, half), held == Straddle::Whole},
             {delay + kCharTime * static_cast<std::chrono::nanoseconds::rep>(half) + gap, text.substr(half),
              held != Straddle::None}},
            noise};
}

}  // namespace kelvra::boardsim
