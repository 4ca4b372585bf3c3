#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace kelvra {

// A timer with the semantics of the recorder's Timer1 and Timer2: an interval of 0 means not
// ticking, setting the interval restarts the count, and an idle timer keeps its interval without
// waking the process.
class RecorderTimer : public QObject {
    Q_OBJECT
public:
    // A timer whose ticks are only seen on another timer's wake-up need not wake the process
    // itself: it keeps its schedule on the monotonic clock and hands over what fell due when asked.
    enum class Wakes { Itself, WhenAsked };

    // Milliseconds on the monotonic clock; a test drives its own to count ticks exactly.
    using Clock = std::function<qint64()>;

    explicit RecorderTimer(Wakes wakes = Wakes::Itself, QObject* parent = nullptr, Clock clock = {});

    void setInterval(int milliseconds);
    void setIdle(bool idle);
    // For good: the program is ending.
    void stop();
    // Emits the tick that has fallen due since the last call, if any (Wakes::WhenAsked).
    void deliverDueTicks();

    int interval() const { return interval_; }
    bool isIdle() const { return idle_; }
    bool isTicking() const { return tickingInterval() > 0; }
    // The interval it really ticks at now, 0 while it does not tick.
    int tickingInterval() const;

signals:
    void timeout();

private:
    void apply();
    void start();
    void halt();

    const Wakes wakes_;
    QTimer timer_;
    // The schedule of a timer that waits to be asked, in the clock's milliseconds.
    const Clock clock_;
    int scheduledInterval_ = 0;
    qint64 nextDue_ = 0;
    int interval_ = 0;
    bool idle_ = false;
    bool stopped_ = false;
};

}  // namespace kelvra
