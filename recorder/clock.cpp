#include "recorder/clock.h"

#include <QThread>

namespace kelvra {

QTime SystemClock::timeOfDay() const { return QTime::currentTime(); }

void SystemClock::pause(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

}  // namespace kelvra
