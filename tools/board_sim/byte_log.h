#pragma once

#include "tools/board_sim/serial_timing.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace kelvra::boardsim {

struct SentReply;

// A log flushed line by line, so that a test can follow it while the simulator runs. Writing
// does nothing while no file is open.
class LogFile {
public:
    LogFile() = default;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile();

    bool open(const std::string& path, std::string& error);

protected:
    // Starts a line with the monotonic time in seconds with microseconds.
    void stamp(SimClock::time_point at);

    std::FILE* file_ = nullptr;
};

// Every received byte, one line each ("12345.678901 30 '0'").
class ByteLog : public LogFile {
public:
    void record(std::string_view bytes, SimClock::time_point at);
};

// Every reply, one line each when its request arrived: the channel and the reading the board
// meant to send, and "noise" when random bytes went instead ("12345.678901 2 1023 noise").
class ReplyLog : public LogFile {
public:
    void record(const SentReply& reply, SimClock::time_point at);
};

}  // namespace kelvra::boardsim
