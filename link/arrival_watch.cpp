#include "link/arrival_watch.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/timerfd.h>
#include <system_error>
#include <unistd.h>

namespace kelvra {
namespace {

// The look is made this much before the deadline, room for the thread's wake-up to be late.
constexpr std::int64_t kLookLeadNs = 500'000;

timespec toTimespec(std::int64_t ns) { return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)}; }

}  // namespace

ArrivalWatch::~ArrivalWatch() { stop(); }

std::int64_t ArrivalWatch::monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void ArrivalWatch::start(int fd, std::chrono::nanoseconds replyEarliest)
{
    stop();
    timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    if (timerFd_ < 0)
        throw std::system_error(errno, std::generic_category(), "timerfd_create");
    fd_ = fd;
    replyEarliest_ = replyEarliest;
    armed_ = false;
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
}

void ArrivalWatch::stop()
{
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    const itimerspec now{{0, 0}, {0, 1}};
    ::timerfd_settime(timerFd_, 0, &now, nullptr);
    thread_.join();
    ::close(timerFd_);
    timerFd_ = -1;
    fd_ = -1;
}

void ArrivalWatch::requestWritten(std::int64_t writeStartNs)
{
    if (!thread_.joinable())
        return;
    const std::int64_t deadline = writeStartNs + replyEarliest_.count();
    bool look = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        armed_ = true;
        deadlineNs_ = deadline;
        waitingBefore_ = 0;
        // What waits already came in between the tick's read and this write.
        countWaiting();
        ++requests_;
        if (waitingBefore_ > 0)
            rememberLate();
        look = requests_ <= lookEveryUntil_ || lastReadEmpty_ || requests_ % kSampleEvery == 0;
    }
    if (!look)
        return;
    const itimerspec at{{0, 0}, toTimespec(std::max<std::int64_t>(deadline - kLookLeadNs, 1))};
    ::timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &at, nullptr);
}

qsizetype ArrivalWatch::afterRead(qsizetype length)
{
    lastReadEmpty_ = length == 0;
    if (!armed_)
        return 0;
    armed_ = false;
    // A read before the deadline took nothing that could answer the outstanding request.
    const qsizetype earlier = monotonicNs() <= deadlineNs_ ? length : std::min(waitingBefore_, length);
    if (earlier > 0)
        rememberLate();
    return earlier;
}

void ArrivalWatch::countWaiting()
{
    int waiting = 0;
    if (!armed_ || ::ioctl(fd_, FIONREAD, &waiting) != 0)
        return;
    // Counted before the deadline only if the count was over by then.
    if (monotonicNs() <= deadlineNs_)
        waitingBefore_ = std::max<qsizetype>(waitingBefore_, waiting);
}

void ArrivalWatch::run()
{
    ::pthread_setname_np(::pthread_self(), "kelvra-arrivals");
    for (;;) {
        std::uint64_t expirations = 0;
        const ssize_t n = ::read(timerFd_, &expirations, sizeof expirations);
        if (n < 0 && errno != EINTR)
            return;
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_)
            return;
        countWaiting();
    }
}

}  // namespace kelvra
