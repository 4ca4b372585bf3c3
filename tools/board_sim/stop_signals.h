#pragma once

#include <string>

namespace kelvra::boardsim {

// Turns SIGINT, SIGTERM and SIGHUP into a readable pipe, so the poll loop wakes and ends cleanly;
// SIGPIPE is ignored.
class StopSignals {
public:
    bool install(std::string& error);
    int fd() const;
    bool raised() const;
};

}  // namespace kelvra::boardsim
