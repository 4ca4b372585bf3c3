#include "tools/board_sim/byte_log.h"

#include <cerrno>
#include <cstring>

namespace kelvra::boardsim {

ByteLog::~ByteLog()
{
    if (file_)
        std::fclose(file_);
}

bool ByteLog::open(const std::string& path, std::string& error)
{
    file_ = std::fopen(path.c_str(), "w");
    if (!file_)
        error = "cannot write log " + path + ": " + std::strerror(errno);
    return file_ != nullptr;
}

void ByteLog::record(std::string_view bytes, SimClock::time_point at)
{
    if (!file_ || bytes.empty())
        return;
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        std::fprintf(file_, "%lld.%06lld %02x", static_cast<long long>(micros / 1000000),
                     static_cast<long long>(micros % 1000000), byte);
        if (byte >= 0x20 && byte < 0x7f)
            std::fprintf(file_, " '%c'", c);
        std::fputc('\n', file_);
    }
    std::fflush(file_);
}

}  // namespace kelvra::boardsim
