#pragma once

#include <QTime>

namespace kelvra {

// Time of day and the blocking pause, injectable so that ticks can be replayed exactly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QTime timeOfDay() const = 0;
    virtual void pause(int milliseconds) = 0;
};

class SystemClock final : public Clock {
public:
    QTime timeOfDay() const override;
    void pause(int milliseconds) override;
};

}  // namespace kelvra
