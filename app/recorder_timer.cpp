#include "app/recorder_timer.h"

namespace kelvra {

RecorderTimer::RecorderTimer(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RecorderTimer::timeout);
}

void RecorderTimer::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    timer_.stop();
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
    timer_.stop();
}

void RecorderTimer::apply()
{
    if (interval_ <= 0 || idle_ || stopped_)
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start(interval_);
}

}  // namespace kelvra
