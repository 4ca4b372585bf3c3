#include "tools/board_sim/byte_log.h"

#include "tools/board_sim/board.h"

#include <cerrno>
#include <cstring>

namespace kelvra::boardsim {

LogFile::~LogFile()
{
    if (file_)
        std::fclose(file_);
}

bool LogFile::open(const std::string& path, std::string& error)
{
    file_ = std::fopen(path.c_str(), "w");
    if (!file_)
        error = "cannot write log " + path + ": " + std::strerror(errno);
    return file_ != nullptr;
}

void LogFile::stamp(SimClock::time_point at)
{
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count();
    std::fprintf(file_, "%lld.%06lld", static_cast<long long>(micros / 1000000),
                 static_cast<long long>(micros % 1000000));
}

void ByteLog::record(std::string_view bytes, SimClock::time_point at)
{
    if (!file_ || bytes.empty())
        return;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        stamp(at);
        std::fprintf(file_, " %02x", byte);
        if (byte >= 0x20 && byte < 0x7f)
            std::fprintf(file_, " '%c'", c);
        std::fputc('\n', file_);
    }
    std::fflush(file_);
}

void ReplyLog::record(const SentReply& reply, SimClock::time_point at)
{
    if (!file_)
        return;
    stamp(at);
    std::fprintf(file_, " %d %s%s\n", reply.channel, reply.reading.c_str(), reply.noise ? " noise" : "");
    std::fflush(file_);
}

}  // namespace kelvra::boardsim
