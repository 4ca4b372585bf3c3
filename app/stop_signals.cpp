#include "app/stop_signals.h"

#include "app/failure_report.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace kelvra {
namespace {

// Read end, write end. The handler may touch nothing else.
int wakePipe[2] = {-1, -1};

extern "C" void onStopSignal(int number)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    // A full pipe already holds a wake-up, so a byte lost here loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    errno = savedErrno;
}

bool makeWakePipe()
{
    if (::pipe(wakePipe) != 0)
        return false;
    for (const int end : wakePipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void closeWakePipe()
{
    for (int& end : wakePipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent)
{
    if (!makeWakePipe()) {
        printError(QStringLiteral("kelvra: stop signals will end the program without closing the line: ")
                   + QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::drain);

    struct sigaction handler {};
    handler.sa_handler = onStopSignal;
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kHandled.size(); ++i) {
        struct sigaction previous {};
        if (sigaction(kHandled[i], nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        installed_[i] = sigaction(kHandled[i], &handler, nullptr) == 0;
    }
}

StopSignals::~StopSignals()
{
    restoreDefaults();
    delete notifier_;
    closeWakePipe();
}

void StopSignals::drain()
{
    unsigned char bytes[16];
    ssize_t count = 0;
    int first = 0;
    while ((count = ::read(wakePipe[0], bytes, sizeof bytes)) > 0)
        if (first == 0)
            first = bytes[0];
    if (first == 0)
        return;
    restoreDefaults();
    emit received(first);
}

void StopSignals::restoreDefaults()
{
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (std::size_t i = 0; i < kHandled.size(); ++i) {
        if (installed_[i])
            sigaction(kHandled[i], &fallback, nullptr);
        installed_[i] = false;
    }
}

}  // namespace kelvra
