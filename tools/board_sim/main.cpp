#include "tools/board_sim/sim_options.h"
#include "tools/board_sim/simulator.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    using namespace kelvra::boardsim;
    try {
        const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (!parsed.error.empty()) {
            std::fprintf(stderr, "kelvra-board-sim: %s\nTry 'kelvra-board-sim --help'.\n", parsed.error.c_str());
            return 2;
        }
        if (parsed.options.help) {
            std::fputs(usageText().c_str(), stdout);
            return 0;
        }
        return runSimulator(parsed.options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvra-board-sim: %s\n", e.what());
        return 1;
    }
}
