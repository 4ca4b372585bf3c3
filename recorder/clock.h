#pragma once

#include <QTime>

#include <cstdint>

namespace kelvra {

// Time of day, UTC wall time and the blocking pause, injectable so that ticks can be replayed
// exactly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QTime timeOfDay() const = 0;
    // Nanoseconds since 1970-01-01 UTC.
    virtual std::int64_t utcNanoseconds() const = 0;
    virtual void pause(int milliseconds) = 0;
};

class SystemClock final : public Clock {
public:
    QTime timeOfDay() const override;
    std::int64_t utcNanoseconds() const override;
    void pause(int milliseconds) override;
};

}  // namespace kelvra
