#include "fakes.h"
#include "recorder/recorder.h"

#include <QTest>
#include <algorithm>

using namespace kelvra;
using namespace kelvra::test;

class TstSweep : public QObject {
    Q_OBJECT
private slots:
    void modeButtonsSetRateCaptionAndMode_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("timed");
        QTest::newRow("Free") << 4 << 1 << QStringLiteral("Free") << 0;
        QTest::newRow("1 minute") << 5 << 62 << QStringLiteral("１分") << 1;
        QTest::newRow("5 minutes") << 6 << 328 << QStringLiteral("５分") << 1;
        QTest::newRow("20 minutes") << 7 << 1324 << QStringLiteral("20分") << 1;
    }
    void modeButtonsSetRateCaptionAndMode()
    {
        QFETCH(int, button);
        QFETCH(int, interval);
        QFETCH(QString, caption);
        QFETCH(int, timed);
        StartedRecorder rig;
        rig.r.GP1_count = 321;
        rig.r.GP1S_count = 317;
        switch (button) {
        case 4: rig.r.command4Click(); break;
        case 5: rig.r.command5Click(); break;
        case 6: rig.r.command6Click(); break;
        case 7: rig.r.command7Click(); break;
        }
        QCOMPARE(rig.form.interval[TimerId::Timer2], interval);
        QCOMPARE(rig.form.labelText[LabelId::Label30], caption);
        QCOMPARE(int(rig.r.timedMode()), timed);
        // A free-running Timer2 has nothing to do, so it need not wake the process.
        QCOMPARE(rig.form.idle[TimerId::Timer2], timed == 0);
        QCOMPARE(rig.r.GP1_count, 321.0);
        QCOMPARE(rig.r.GP1S_count, 317.0);
        QVERIFY(rig.form.lines.empty());
        for (const QString& call : rig.form.calls)
            QVERIFY(!call.startsWith(QLatin1String("timer1")));
    }

    void exactlyOneTimerDrivesTheSweep()
    {
        StartedRecorder rig;
        rig.r.timer2Tick();
        QCOMPARE(rig.r.GP1_count, 0.0);
        rig.r.timer1Tick();
        QCOMPARE(rig.r.GP1_count, 1.0);

        rig.r.command5Click();
        rig.r.command7Click();
        rig.r.timer1Tick();
        QCOMPARE(rig.r.GP1_count, 1.0);
        for (int i = 0; i < 5; ++i)
            rig.r.timer2Tick();
        QCOMPARE(rig.r.GP1_count, 6.0);
    }

    void restartReturnsToTheLeftEdgeAndKeepsTheRest()
    {
        StartedRecorder rig;
        rig.r.command6Click();
        rig.link.replies = QStringList{"100", "200", "300", "400", "500"};
        for (int tick = 0; tick < 5; ++tick)
            rig.r.timer1Tick();
        for (int i = 0; i < 40; ++i)
            rig.r.timer2Tick();
        const float level2 = std::find_if(rig.form.lines.rbegin(), rig.form.lines.rend(),
                                          [](const Line& line) { return line.chart == 1; })->y2;
        rig.form.forget();

        rig.r.command3Click();
        QCOMPARE(rig.r.GP1_count, 0.0);
        QCOMPARE(rig.r.GP1S_count, 0.0);
        QCOMPARE(rig.clock.pauses, std::vector<int>{50});
        QCOMPARE(rig.form.calls, (std::vector<QString>{"clear GP1", "clear GP2", "clear GP3", "clear GP4"}));
        QCOMPARE(rig.r.timedMode(), std::int16_t(1));
        QCOMPARE(rig.form.labelText[LabelId::Label30], QStringLiteral("５分"));
        QCOMPARE(rig.form.interval[TimerId::Timer2], 328);
        QCOMPARE(rig.r.channelIndex(), std::int16_t(1));
        QCOMPARE(rig.r.ch2_dat, 200.0);

        // The next segments start at the left edge from each channel's last level.
        rig.r.timer2Tick();
        rig.link.replies = QStringList{"600"};
        rig.r.timer1Tick();
        const Line& channelTwo = rig.form.lines.back();
        QCOMPARE(channelTwo.chart, 1);
        QCOMPARE(channelTwo.x1, 0.0f);
        QCOMPARE(channelTwo.y1, level2);
        QCOMPARE(channelTwo.x2, 1.0f);
    }

    void aFailingClearOnRestartIsAnError()
    {
        StartedRecorder rig;
        rig.form.failClearOfChart = 2;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, rig.r.command3Click());
    }
};

QTEST_GUILESS_MAIN(TstSweep)
#include "tst_sweep.moc"
