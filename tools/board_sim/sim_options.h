#pragma once

#include "tools/board_sim/faults.h"
#include "tools/board_sim/signal_model.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kelvra::boardsim {

struct SimOptions {
    std::string link = "/tmp/kelvra-board";
    std::optional<std::uint64_t> seed;
    std::optional<std::array<long long, kChannels>> constant;
    // Seconds after start of the one event of the seismic signal; without it, random small ones.
    std::optional<double> eventAfter;
    Faults faults;
    std::string logPath;
    std::string replyLogPath;
    bool quiet = false;
    bool help = false;
};

struct ParsedOptions {
    SimOptions options;
    // Empty when the command line was accepted.
    std::string error;
};

// The arguments after the program name; "--name value" and "--name=value" are both accepted.
ParsedOptions parseOptions(const std::vector<std::string>& args);
std::string usageText();

}  // namespace kelvra::boardsim
