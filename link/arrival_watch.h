#pragma once

#include <QtGlobal>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>

namespace kelvra {

// Learns which received bytes cannot answer the request just written: the request needs one
// character time to cross the line and the reply's first character another, so whatever has come
// in before then answers earlier requests. Right after the write, and shortly before that moment
// on a thread of its own woken by a timer, it counts the bytes waiting without reading them, so
// the tick's read is unchanged. A look that comes too late proves nothing and is not used. The
// timed look costs a wake-up, so it is made on every request only while replies have lately come
// in late; otherwise after a read that found nothing, and on one request in kSampleEvery.
class ArrivalWatch {
public:
    static constexpr std::uint64_t kSampleEvery = 10;
    static constexpr std::uint64_t kLateMemory = 3000;  // a minute of 20 ms requests

    ArrivalWatch() = default;
    ~ArrivalWatch();
    ArrivalWatch(const ArrivalWatch&) = delete;
    ArrivalWatch& operator=(const ArrivalWatch&) = delete;

    // Watches the open terminal `fd`; `replyEarliest` is the time from writing a request to the
    // earliest end of its reply's first character. Throws std::system_error.
    void start(int fd, std::chrono::nanoseconds replyEarliest);
    void stop();

    // Around the write of a request: the monotonic time just before it.
    void requestWritten(std::int64_t writeStartNs);
    // Runs `read`, which returns how many bytes it took, so that no look falls in the middle of
    // it; returns how many of those bytes came in before the outstanding request's reply could begin.
    template <typename Read>
    qsizetype measureRead(Read&& read)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return afterRead(read());
    }

    static std::int64_t monotonicNs();

private:
    void run();
    // With the mutex held.
    qsizetype afterRead(qsizetype length);
    void countWaiting();
    void rememberLate() { lookEveryUntil_ = requests_ + kLateMemory; }

    std::mutex mutex_;
    int fd_ = -1;
    int timerFd_ = -1;
    std::chrono::nanoseconds replyEarliest_{0};
    bool armed_ = false;
    bool stopping_ = false;
    std::int64_t deadlineNs_ = 0;       // monotonic: before it, no byte answers the outstanding request
    qsizetype waitingBefore_ = 0;       // bytes seen waiting before then
    std::uint64_t requests_ = 0;
    std::uint64_t lookEveryUntil_ = 0;  // requests_ up to which every request gets its timed look
    bool lastReadEmpty_ = false;
    std::thread thread_;
};

}  // namespace kelvra
