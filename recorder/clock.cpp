#include "recorder/clock.h"

#include <QThread>

#include <chrono>

namespace kelvra {

QTime SystemClock::timeOfDay() const { return QTime::currentTime(); }

std::int64_t SystemClock::utcNanoseconds() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void SystemClock::pause(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

}  // namespace kelvra
