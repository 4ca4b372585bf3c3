#include "fakes.h"
#include "recorder/recorder.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace kelvra;
using namespace kelvra::test;

namespace {

const std::vector<QString> kClearInOrder{"clear GP1", "clear GP2", "clear GP3", "clear GP4"};

struct KeptSample {
    int channel;
    std::int32_t counts;
    std::int64_t utcNs;
    friend bool operator==(const KeptSample& a, const KeptSample& b)
    {
        return a.channel == b.channel && a.counts == b.counts && a.utcNs == b.utcNs;
    }
};

class SinkLog : public SampleSink {
public:
    std::vector<KeptSample> kept;
    void record(int channel, std::int32_t counts, std::int64_t utcNs) override { kept.push_back({channel, counts, utcNs}); }
};

}  // namespace

class TstAcquisition : public QObject {
    Q_OBJECT
private slots:
    void pollsTheChannelsInTurn()
    {
        StartedRecorder rig;
        rig.link.replies = QStringList{"100", "200", "300", "400", "500"};
        std::vector<int> drawnCharts;
        for (int tick = 0; tick < 5; ++tick) {
            rig.form.lines.clear();
            rig.r.timer1Tick();
            drawnCharts.push_back(rig.form.lines.back().chart);
        }
        QCOMPARE(drawnCharts, (std::vector<int>{0, 1, 2, 3, 0}));
        QCOMPARE(rig.link.written, (QStringList{"1", "2", "3", "0", "1"}));
        QCOMPARE(rig.r.ch1_dat, 500.0);
        QCOMPARE(rig.r.ch2_dat, 200.0);
        QCOMPARE(rig.r.ch4_dat, 400.0);
        QCOMPARE(rig.r.GP1_count, 5.0);
        // Channel four's segment ended at the column its tick saw.
        QCOMPARE(rig.r.GP1S_count, 3.0);
    }

    void linkStatusFollowsWhetherAnythingArrived()
    {
        StartedRecorder rig;
        rig.r.plot_channel(0, "800");
        rig.link.replies = QStringList{"", "abc"};
        rig.r.timer1Tick();
        QCOMPARE(rig.form.labelText[LabelId::Label5], QStringLiteral("通信エラー"));
        QCOMPARE(rig.form.labelBackground[LabelId::Label5], palette::kRed);
        QCOMPARE(rig.r.rxText(), QStringLiteral("0"));
        QCOMPARE(rig.r.ch1_dat, 0.0);
        QCOMPARE(rig.form.labelText[LabelId::Label1], QStringLiteral("CH-1 : 0.00"));
        QCOMPARE(rig.link.written, QStringList{"1"});

        rig.r.timer1Tick();  // not a number, but something arrived
        QCOMPARE(rig.form.labelText[LabelId::Label5], QStringLiteral("通信中"));
        QCOMPARE(rig.form.labelBackground[LabelId::Label5], palette::kLime);
        QCOMPARE(rig.r.rxText(), QStringLiteral("abc"));
        QCOMPARE(rig.link.written, (QStringList{"1", "2"}));
    }

    void clockShowsTheTimeWithoutLeadingZeros_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("afternoon") << QTime(14, 30, 0) << QStringLiteral("14時30分0秒");
        QTest::newRow("after midnight") << QTime(0, 0, 9) << QStringLiteral("0時0分9秒");
        QTest::newRow("morning") << QTime(9, 5, 7) << QStringLiteral("9時5分7秒");
    }
    void clockShowsTheTimeWithoutLeadingZeros()
    {
        QFETCH(QTime, time);
        QFETCH(QString, text);
        StartedRecorder rig;
        rig.clock.now = time;
        rig.r.timer1Tick();
        QCOMPARE(rig.form.labelText[LabelId::Label6], text);
    }

    void sweepWrapsOnlyAbove10800_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("start");
        QTest::addColumn<bool>("wraps");
        QTest::addColumn<double>("after");
        QTest::newRow("free 10800") << 0 << 10800.0 << false << 10801.0;
        QTest::newRow("free 10801") << 0 << 10801.0 << true << 1.0;
        QTest::newRow("timed 10800") << 1 << 10800.0 << false << 10800.0;
        QTest::newRow("timed 10801") << 1 << 10801.0 << true << 0.0;
        QTest::newRow("timed fraction above") << 1 << 10800.5 << true << 0.0;
    }
    void sweepWrapsOnlyAbove10800()
    {
        QFETCH(int, mode);
        QFETCH(double, start);
        QFETCH(bool, wraps);
        QFETCH(double, after);
        StartedRecorder rig;
        if (mode == 1)
            rig.r.command5Click();
        rig.r.GP1_count = start;
        rig.r.GP1S_count = 10790;
        rig.link.replies = QStringList{"512"};
        rig.r.timer1Tick();
        QCOMPARE(rig.r.GP1_count, after);
        QCOMPARE(rig.r.GP1S_count, wraps ? 0.0 : 10790.0);
        QCOMPARE(rig.clears(), wraps ? kClearInOrder : std::vector<QString>{});
        QCOMPARE(rig.clock.pauses, wraps ? std::vector<int>{50} : std::vector<int>{});
        // The channel is drawn at the old column before the clearing wipes it.
        QCOMPARE(rig.form.lines.back().x2, float(start));
        if (wraps)
            QCOMPARE(rig.form.calls.back(), QStringLiteral("clear GP4"));
    }

    void tolerantModeOnlyOnTheTickThatProcessesChannelFour()
    {
        StartedRecorder rig;
        rig.form.failClearOfChart = 1;
        for (int tick = 0; tick < 3; ++tick)
            rig.r.timer1Tick();
        QCOMPARE(rig.r.channelIndex(), std::int16_t(3));

        rig.r.GP1_count = 10801;
        rig.r.timer1Tick();  // processes CH-4: the failing clear is skipped silently
        QCOMPARE(rig.clears(), kClearInOrder);
        QCOMPARE(rig.r.GP1_count, 1.0);
        QCOMPARE(rig.link.written.last(), QStringLiteral("0"));
        QVERIFY(rig.form.problems.isEmpty());

        rig.r.GP1_count = 10801;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, rig.r.timer1Tick());  // CH-1's tick is not tolerant
    }

    void aDeadLineIsReportedOnceAndRecordingGoesOn()
    {
        StartedRecorder rig;
        rig.link.replies = QStringList{"700"};
        rig.r.timer1Tick();
        rig.link.failRead = true;
        rig.link.failWrite = true;
        for (int tick = 0; tick < 8; ++tick)
            rig.r.timer1Tick();
        QCOMPARE(rig.form.problems.size(), 1);
        QVERIFY(rig.form.problems.first().contains(QStringLiteral("/dev/fake0")));
        QCOMPARE(rig.form.labelText[LabelId::Label5], QStringLiteral("通信エラー"));
        QCOMPARE(rig.r.ch1_dat, 0.0);
        QCOMPARE(rig.r.channelIndex(), std::int16_t(1));
        QCOMPARE(rig.r.GP1_count, 9.0);
        QVERIFY(rig.clears().empty());
    }

    void aFailingWriteAloneIsReportedButNotOnTheTolerantTick()
    {
        StartedRecorder rig;
        rig.link.failWrite = true;
        for (int tick = 0; tick < 3; ++tick)
            rig.r.timer1Tick();
        QCOMPARE(rig.form.problems.size(), 1);

        StartedRecorder quiet;
        for (int tick = 0; tick < 3; ++tick)
            quiet.r.timer1Tick();
        quiet.link.failWrite = true;
        quiet.r.timer1Tick();  // writes "0" in tolerant mode
        QVERIFY(quiet.form.problems.isEmpty());
    }

    // Tick k writes its request at k+1 microseconds, start-up at 0: a reading carries the time
    // of the request it answers, and only whole readings within the limit are kept.
    void keepsWholeReadingsAtTheTimeOfTheirRequest()
    {
        FakeForm form;
        FakeLink link;
        FakeClock clock;
        Recorder r{form, link, clock};
        SinkLog sink;
        r.setSampleSink(&sink);
        r.startUp();
        link.replies = QStringList{"512\r\n", "", "abc", "1.5", "5.12e2", "268435456", "-268435455", "1 2", "1023"};
        const qsizetype ticks = link.replies.size();
        for (qsizetype tick = 0; tick < ticks; ++tick) {
            clock.utcNs = 1000 * (tick + 1);
            r.timer1Tick();
        }
        QCOMPARE(sink.kept, (std::vector<KeptSample>{{0, 512, 0}, {0, 512, 4000}, {2, -268435455, 6000}, {0, 1023, 8000}}));
        QCOMPARE(r.ch2_dat, 268435456.0);  // the chart still shows what the archive leaves out
    }

    void randomBytesNeverReachTheDrawingAsNonFinite()
    {
        StartedRecorder rig;
        QRandomGenerator random(20261207);
        for (int tick = 0; tick < 4000; ++tick) {
            QByteArray bytes(int(random.bounded(0, 24)), Qt::Uninitialized);
            for (char& c : bytes)
                c = char(random.bounded(0, 256));
            if (tick % 7 == 0)
                bytes = QByteArray::number(random.generateDouble() * std::pow(10.0, random.bounded(-300, 309)), 'g', 17);
            rig.link.replies = QStringList{QString::fromLatin1(bytes)};
            rig.form.forget();
            rig.r.timer1Tick();
            for (const Line& line : rig.form.lines)
                for (float v : {line.x1, line.y1, line.x2, line.y2})
                    QVERIFY(std::isfinite(v));
            for (const auto& [label, text] : rig.form.labelText)
                QVERIFY(text.size() <= 16);
        }
        for (double reading : {rig.r.ch1_dat, rig.r.ch2_dat, rig.r.ch3_dat, rig.r.ch4_dat})
            QVERIFY(std::isfinite(reading));
    }
};

QTEST_GUILESS_MAIN(TstAcquisition)
#include "tst_acquisition.moc"
