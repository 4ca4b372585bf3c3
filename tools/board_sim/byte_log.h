#pragma once

#include "tools/board_sim/serial_timing.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace kelvra::boardsim {

// Every received byte, one line each ("12345.678901 30 '0'"), flushed at once so that a test
// can follow the request stream while the simulator runs.
class ByteLog {
public:
    ByteLog() = default;
    ByteLog(const ByteLog&) = delete;
    ByteLog& operator=(const ByteLog&) = delete;
    ~ByteLog();

    bool open(const std::string& path, std::string& error);
    // Does nothing while no file is open.
    void record(std::string_view bytes, SimClock::time_point at);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace kelvra::boardsim
