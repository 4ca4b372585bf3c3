#pragma once

#include "tools/board_sim/sim_options.h"

namespace kelvra::boardsim {

// Runs the board on a pseudo-terminal until a stop signal; returns the exit status.
int runSimulator(const SimOptions& options);

}  // namespace kelvra::boardsim
