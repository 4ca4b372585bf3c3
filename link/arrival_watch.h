#pragma once

#include <QtGlobal>

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace kelvra {

// Learns which received bytes cannot answer the request just written: the request needs one
// character time to cross the line and the reply's first character another, so whatever has come
// in before then answers earlier requests. Shortly before that moment a thread of its own, woken
// once per request by a timer, counts the bytes waiting without reading them, so the tick's read
// is unchanged. A look that comes too late proves nothing and is not used.
class ArrivalWatch {
public:
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
    qsizetype measureRead(const std::function<qsizetype()>& read);

    static std::int64_t monotonicNs();

private:
    void run();
    void countWaiting();  // with the mutex held

    std::mutex mutex_;
    int fd_ = -1;
    int timerFd_ = -1;
    std::chrono::nanoseconds replyEarliest_{0};
    bool armed_ = false;
    bool stopping_ = false;
    std::int64_t replyEarliestNs_ = 0;  // monotonic: the outstanding request's reply cannot end a character before
    qsizetype waitingBefore_ = 0;       // bytes seen waiting before then
    std::thread thread_;
};

}  // namespace kelvra
