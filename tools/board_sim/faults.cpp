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

std::vector<ReplyPiece> ReplyShaper::shape(const std::string& reply)
{
    if (faults_.silent)
        return {};
    const std::string text = faults_.noise && random_.below(kNoiseOneIn) == 0 ? garbage() : reply;
    const std::chrono::nanoseconds delay = faults_.late ? kLateBy : std::chrono::nanoseconds{0};
    if (!faults_.split || text.size() < 2)
        return {{delay, text}};
    const std::size_t half = text.size() / 2;
    return {{delay, text.substr(0, half)},
            {delay + kCharTime * static_cast<std::chrono::nanoseconds::rep>(half) + kSplitGap, text.substr(half)}};
}

}  // namespace kelvra::boardsim
