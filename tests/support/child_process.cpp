#include "tests/support/child_process.h"

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

namespace kelvra::test {

void endWithThisProcess(QProcess& process)
{
    const pid_t test = ::getpid();
    process.setChildProcessModifier([test] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        // The test may have died before the line above.
        if (::getppid() != test)
            ::_exit(1);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGHUP, SIG_DFL);
    });
}

}  // namespace kelvra::test
