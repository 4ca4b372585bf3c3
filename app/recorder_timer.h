#pragma once

#include <QObject>
#include <QTimer>

namespace kelvra {

// A timer with the semantics of the recorder's Timer1 and Timer2: an interval of 0 means not
// ticking, setting the interval restarts the count, and an idle timer keeps its interval without
// waking the process.
class RecorderTimer : public QObject {
    Q_OBJECT
public:
    explicit RecorderTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds);
    void setIdle(bool idle);
    // For good: the program is ending.
    void stop();

    int interval() const { return interval_; }
    bool isIdle() const { return idle_; }
    bool isTicking() const { return timer_.isActive(); }
    // The interval it really ticks at now, 0 while it does not tick.
    int tickingInterval() const { return timer_.isActive() ? timer_.interval() : 0; }

signals:
    void timeout();

private:
    void apply();

    QTimer timer_;
    int interval_ = 0;
    bool idle_ = false;
    bool stopped_ = false;
};

}  // namespace kelvra
