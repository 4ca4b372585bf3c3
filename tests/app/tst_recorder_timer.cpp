#include "app/recorder_timer.h"

#include <QSignalSpy>
#include <QtTest>

using kelvra::RecorderTimer;

class TstRecorderTimer : public QObject {
    Q_OBJECT
private slots:
    void intervalStartsAndStops();
    void idleKeepsTheInterval();
    void stopIsFinal();
};

void TstRecorderTimer::intervalStartsAndStops()
{
    RecorderTimer timer;
    QCOMPARE(timer.interval(), 0);
    QVERIFY(!timer.isTicking());

    QSignalSpy ticks(&timer, &RecorderTimer::timeout);
    timer.setInterval(5);
    QVERIFY(timer.isTicking());
    QVERIFY(ticks.wait(5000));

    timer.setInterval(0);
    QVERIFY(!timer.isTicking());
    QCOMPARE(timer.interval(), 0);
}

void TstRecorderTimer::idleKeepsTheInterval()
{
    RecorderTimer timer;
    timer.setInterval(1);
    timer.setIdle(true);
    QVERIFY(timer.isIdle());
    QVERIFY(!timer.isTicking());
    QCOMPARE(timer.interval(), 1);

    // A new interval while idle is kept for later, without waking.
    timer.setInterval(62);
    QVERIFY(!timer.isTicking());
    timer.setIdle(false);
    QVERIFY(timer.isTicking());
    QCOMPARE(timer.interval(), 62);

    timer.setInterval(0);
    timer.setIdle(false);
    QVERIFY(!timer.isTicking());
}

void TstRecorderTimer::stopIsFinal()
{
    RecorderTimer timer;
    timer.setInterval(20);
    timer.stop();
    QVERIFY(!timer.isTicking());
    timer.setInterval(20);
    timer.setIdle(false);
    QVERIFY(!timer.isTicking());
}

QTEST_MAIN(TstRecorderTimer)
#include "tst_recorder_timer.moc"
