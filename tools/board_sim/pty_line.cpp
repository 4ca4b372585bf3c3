#include "tools/board_sim/pty_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kelvra::boardsim {
namespace {

constexpr std::size_t kMaxReadPerCall = 64 * 1024;

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

bool setRaw(const std::string& device, std::string& error)
{
    const int slave = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        error = systemError("cannot open " + device);
        return false;
    }
    termios tio{};
    const bool ok = tcgetattr(slave, &tio) == 0 && (cfmakeraw(&tio), tcsetattr(slave, TCSANOW, &tio) == 0);
    if (!ok)
        error = systemError("cannot make " + device + " raw");
    // Closing leaves the master in hang-up until a client opens the device, which is how
    // the loop tells that nobody is listening.
    ::close(slave);
    return ok;
}

}  // namespace

PtyLine::~PtyLine()
{
    hangUp();
}

bool PtyLine::open(std::string& error)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = systemError("cannot open a pseudo-terminal");
        return false;
    }
    const char* name = nullptr;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || (name = ptsname(master_)) == nullptr) {
        error = systemError("cannot set up the pseudo-terminal");
        hangUp();
        return false;
    }
    deviceName_ = name;
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = systemError("cannot make the pseudo-terminal non-blocking");
        hangUp();
        return false;
    }
    if (!setRaw(deviceName_, error)) {
        hangUp();
        return false;
    }
    return true;
}

bool PtyLine::hasListener() const
{
    pollfd p{master_, 0, 0};
    return isOpen() && ::poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0;
}

std::string PtyLine::readAvailable()
{
    std::string bytes;
    char buffer[4096];
    while (isOpen() && bytes.size() < kMaxReadPerCall) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;  // EAGAIN: nothing more; EIO: nobody on the far side
    }
    return bytes;
}

WriteResult PtyLine::write(std::string_view bytes)
{
    for (;;) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n >= 0)
            return {static_cast<std::size_t>(n), false};
        if (errno != EINTR)
            return {0, errno == EAGAIN || errno == EWOULDBLOCK};
    }
}

void PtyLine::hangUp()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

}  // namespace kelvra::boardsim
