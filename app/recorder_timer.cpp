#include "app/recorder_timer.h"

#include <chrono>

namespace kelvra {

namespace {

qint64 monotonicMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

RecorderTimer::RecorderTimer(Wakes wakes, QObject* parent, Clock clock)
    : QObject(parent), wakes_(wakes), clock_(clock ? std::move(clock) : monotonicMilliseconds)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RecorderTimer::timeout);
}

void RecorderTimer::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    halt();
    apply();
}

void RecorderTimer::setIdle(bool idle)
{
    idle_ = idle;
    apply();
}

void RecorderTimer::stop()
{
    stopped_ = true;
    halt();
}

void RecorderTimer::deliverDueTicks()
{
    const qint64 now = clock_();
    if (scheduledInterval_ <= 0 || nextDue_ > now)
        return;
    // As with Qt's own timers, ticks missed by more than an interval (a stall, a suspended
    // computer) are not made up: the schedule moves on from now.
    nextDue_ += scheduledInterval_;
    if (nextDue_ <= now)
        nextDue_ = now + scheduledInterval_;
    emit timeout();
}

int RecorderTimer::tickingInterval() const
{
    if (wakes_ == Wakes::WhenAsked)
        return scheduledInterval_;
    return timer_.isActive() ? timer_.interval() : 0;
}

void RecorderTimer::apply()
{
    if (interval_ <= 0 || idle_ || stopped_)
        halt();
    else if (!isTicking())
        start();
}

void RecorderTimer::start()
{
    if (wakes_ == Wakes::Itself) {
        timer_.start(interval_);
        return;
    }
    scheduledInterval_ = interval_;
    nextDue_ = clock_() + interval_;
}

void RecorderTimer::halt()
{
    timer_.stop();
    scheduledInterval_ = 0;
}

}  // namespace kelvra
