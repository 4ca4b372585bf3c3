#include "app/picture_label.h"
#include "app/recorder_timer.h"
#include "app/repaint_pacer.h"

#include <QLabel>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

using kelvra::PictureLabel;
using kelvra::RecorderTimer;
using kelvra::RepaintPacer;

namespace {

class Probe : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct PacedWindow {
    explicit PacedWindow(int ticksPerRepaint) : pacer(window, ticksPerRepaint)
    {
        probe.setGeometry(10, 10, 50, 50);
        window.show();
    }
    QWidget window;
    Probe probe{&window};
    RepaintPacer pacer;
};

}  // namespace

class TstTiming : public QObject {
    Q_OBJECT
private slots:
    void timerIntervalStartsAndStops();
    void idleTimerKeepsItsInterval();
    void askedTimerSkipsMissedTicksAndRestartsItsCount();
    void askedTimerKeepsItsRateOverManyHandOvers();
    void pacerHoldsBackRepaintsWithinTheInterval();
    void pacerPaintsHeldChangesLater();
    void labelPaintedFromItsPictureLooksAsPainted();
};

void TstTiming::timerIntervalStartsAndStops()
{
    RecorderTimer timer;
    QCOMPARE(timer.interval(), 0);
    QVERIFY(!timer.isTicking());

    QSignalSpy ticks(&timer, &RecorderTimer::timeout);
    timer.setInterval(5);
    QVERIFY(ticks.wait(5000));
    timer.setInterval(0);
    QVERIFY(!timer.isTicking());

    // Stopped when the program ends: nothing starts it again.
    timer.setInterval(20);
    timer.stop();
    timer.setInterval(20);
    QVERIFY(!timer.isTicking());
}

void TstTiming::idleTimerKeepsItsInterval()
{
    RecorderTimer timer;
    timer.setInterval(1);
    timer.setIdle(true);
    QVERIFY(!timer.isTicking());
    QCOMPARE(timer.interval(), 1);

    // A new interval while idle is kept for later, without waking.
    timer.setInterval(62);
    QVERIFY(!timer.isTicking());
    timer.setIdle(false);
    QVERIFY(timer.isTicking());
    QCOMPARE(timer.interval(), 62);
}

void TstTiming::askedTimerSkipsMissedTicksAndRestartsItsCount()
{
    // Like Qt's own timers: a tick overdue by several intervals comes once and the schedule moves
    // on from then; setting the interval starts the count afresh.
    qint64 now = 0;
    RecorderTimer timer(RecorderTimer::Wakes::WhenAsked, nullptr, [&now] { return now; });
    QSignalSpy ticks(&timer, &RecorderTimer::timeout);
    timer.setInterval(100);
    QCOMPARE(timer.tickingInterval(), 100);
    now = 550;
    for (int ask = 0; ask < 5; ++ask)
        timer.deliverDueTicks();
    QCOMPARE(ticks.count(), 1);

    timer.setInterval(400);
    now += 250;
    timer.setInterval(400);
    now += 250;
    timer.deliverDueTicks();
    QCOMPARE(ticks.count(), 1);
    now += 150;
    timer.deliverDueTicks();
    QCOMPARE(ticks.count(), 2);
}

void TstTiming::askedTimerKeepsItsRateOverManyHandOvers()
{
    // Handed over only on Timer1's 20 ms ticks, each 62 ms step is due from the one before it,
    // not from when that was handed over: 100 steps in 6.2 s.
    qint64 now = 0;
    RecorderTimer timer(RecorderTimer::Wakes::WhenAsked, nullptr, [&now] { return now; });
    QSignalSpy ticks(&timer, &RecorderTimer::timeout);
    timer.setInterval(62);
    while (now < 6200) {
        now += 20;
        timer.deliverDueTicks();
    }
    QCOMPARE(ticks.count(), 100);
}

void TstTiming::pacerHoldsBackRepaintsWithinTheInterval()
{
    PacedWindow paced(1000);
    QVERIFY(QTest::qWaitForWindowExposed(&paced.window));
    QTRY_VERIFY(paced.probe.paints > 0);
    const int shown = paced.probe.paints;
    for (int i = 0; i < 2; ++i) {
        paced.probe.update();
        QTest::qWait(50);
    }
    QVERIFY(paced.probe.paints <= shown + 1);
}

void TstTiming::pacerPaintsHeldChangesLater()
{
    PacedWindow paced(3);
    QVERIFY(QTest::qWaitForWindowExposed(&paced.window));
    QTRY_VERIFY(paced.probe.paints > 0);
    for (int i = 0; i < 5; ++i) {
        const int before = paced.probe.paints;
        paced.probe.update();
        QTest::qWait(20);
        for (int tick = 0; tick < 3; ++tick)
            paced.pacer.tick();
        // Painted within the tick: a posted request would wake the event loop once more.
        QVERIFY(paced.probe.paints > before);
    }
}

// A reading's label painted from the picture it kept shows what painting it would, also once its
// colours or its font have changed since the picture was taken.
void TstTiming::labelPaintedFromItsPictureLooksAsPainted()
{
    QWidget window;
    PictureLabel pictured(QStringLiteral("CH-1 : 2.50"), &window);
    QLabel painted(QStringLiteral("CH-1 : 2.50"), &window);
    for (QLabel* label : {static_cast<QLabel*>(&pictured), &painted}) {
        label->setFixedSize(100, 20);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        label->setAutoFillBackground(true);
    }
    painted.move(0, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto looksSame = [&] {
        pictured.keepPicture();
        return pictured.grab().toImage() == painted.grab().toImage();
    };
    QVERIFY(looksSame());

    QPalette red = pictured.palette();
    red.setColor(QPalette::Window, Qt::red);
    for (QLabel* label : {static_cast<QLabel*>(&pictured), &painted})
        label->setPalette(red);
    QVERIFY(looksSame());

    QFont smaller = pictured.font();
    smaller.setPointSizeF(smaller.pointSizeF() - 2);
    for (QLabel* label : {static_cast<QLabel*>(&pictured), &painted})
        label->setFont(smaller);
    QVERIFY(looksSame());
}

QTEST_MAIN(TstTiming)
#include "tst_timing.moc"
