#include "tools/board_sim/stop_signals.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvra::boardsim {
namespace {

volatile std::sig_atomic_t g_raised = 0;
int g_pipe[2] = {-1, -1};

void onStopSignal(int)
{
    const int saved = errno;
    g_raised = 1;
    const char wake = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &wake, 1);
    errno = saved;
}

}  // namespace

bool StopSignals::install(std::string& error)
{
    if (::pipe(g_pipe) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    for (const int fd : g_pipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        if (sigaction(signal, &action, nullptr) != 0) {
            error = std::string("cannot handle signals: ") + std::strerror(errno);
            return false;
        }
    }
    // A status reader that went away must not kill the simulator before it removes its link.
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

int StopSignals::fd() const
{
    return g_pipe[0];
}

bool StopSignals::raised() const
{
    return g_raised != 0;
}

}  // namespace kelvra::boardsim
