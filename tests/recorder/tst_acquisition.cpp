#include "fakes.h"
#include "recorder/reading.h"
#include "recorder/recorder.h"

#include <QRandomGenerator>
#include <algorithm>
#include <QTest>
#include <cmath>

using namespace kelvra;
using namespace kelvra::test;

namespace {

const std::vector<QString> kClearInOrder{"clear GP1", "clear GP2", "clear GP3", "clear GP4"};

// What the archive was handed, in order: "CH n @t" for a reading of CH-(channel+1) whose request
// was written at t, "gap CH-n reason" for a request left out.
class SinkLog : public SampleSink {
public:
    QStringList handed;
    void record(int channel, std::int32_t counts, std::int64_t utcNs) override
    {
        handed << QStringLiteral("CH-%1 %2 @%3").arg(channel + 1).arg(counts).arg(utcNs);
    }
    void gap(int channel, GapReason reason) override
    {
        static const char* const kNames[] = {"none", "junk", "range", "cut", "uncertain"};
        handed << QStringLiteral("gap CH-%1 %2").arg(channel + 1).arg(QLatin1String(kNames[int(reason)]));
    }
};

// A started recorder that hands its readings to a SinkLog.
struct ArchivingRecorder {
    FakeForm form;
    FakeLink link;
    FakeClock clock;
    Recorder r{form, link, clock};
    SinkLog sink;
    ArchivingRecorder()
    {
        r.setSampleSink(&sink);
        r.startUp();
    }
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

    // A pulled adapter plugged in again: told once, tried every 2 s of the clock, then asked for
    // the channel the next tick reads, whose reply is archived at that write's time; a later
    // failure is told again.
    void aLineThatWentAwayIsTriedEveryTwoSecondsAndTakenUpAgain()
    {
        ArchivingRecorder rig;
        rig.link.written.clear();
        const auto opens = [&] {
            return std::count(rig.link.calls.begin(), rig.link.calls.end(), QStringLiteral("PortOpen 1"));
        };
        rig.link.failRead = rig.link.failWrite = rig.link.failOpen = true;
        std::vector<int> tries;
        for (int tick = 0; tick <= 300; ++tick) {
            if (tick == 250)
                rig.link.failRead = rig.link.failWrite = rig.link.failOpen = false;
            rig.clock.utcNs = std::int64_t{20'000'000} * tick;
            const auto before = opens();
            rig.r.timer1Tick();
            if (opens() > before)
                tries.push_back(tick);
        }
        QCOMPARE(tries, (std::vector<int>{100, 200, 300}));
        QCOMPARE(rig.r.channelIndex(), std::int16_t(1));
        QCOMPARE(rig.link.written, QStringList{"1"});
        QCOMPARE(rig.form.problems.size(), 2);
        QVERIFY(rig.form.problems.last().contains(QStringLiteral("/dev/fake0 is back")));

        rig.link.replies = QStringList{"700", "117", "511", "1023", "876"};
        rig.r.timer1Tick();
        QCOMPARE(rig.r.ch2_dat, 700.0);
        QCOMPARE(rig.form.labelText[LabelId::Label5], QStringLiteral("通信中"));
        for (int tick = 0; tick < 4; ++tick)
            rig.r.timer1Tick();
        QCOMPARE(rig.sink.handed.last(), QStringLiteral("CH-2 700 @6000000000"));

        rig.link.failRead = true;
        for (int tick = 0; tick < 3; ++tick)
            rig.r.timer1Tick();
        QCOMPARE(rig.form.problems.size(), 3);
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

    // Each read is "early|own": the characters before the bar came in before the outstanding
    // request's reply could begin. Tick k writes its request at k+1 µs, start-up at 0. Empty reads
    // follow a row's until each of its replies is settled.
    void archivesOnlyRepliesItCanAttribute_data()
    {
        QTest::addColumn<QStringList>("reads");
        QTest::addColumn<QStringList>("handed");
        QTest::newRow("whole replies") << QStringList{"117", "511\r\n", "0", "876"}
                                       << QStringList{"CH-1 117 @0", "CH-2 511 @1000", "CH-3 0 @2000", "CH-4 876 @3000"};
        QTest::newRow("split across the tick") << QStringList{"10", "23|876", "117"}
                                               << QStringList{"CH-1 1023 @0", "CH-2 876 @1000", "CH-3 117 @2000"};
        QTest::newRow("late reply goes to its own request")
            << QStringList{"", "117|", "511|", "1023"}
            << QStringList{"CH-1 117 @0", "CH-2 511 @1000", "gap CH-3 none", "gap CH-4 uncertain"};
        QTest::newRow("two replies in one read") << QStringList{"", "117|511"}
                                                 << QStringList{"CH-1 117 @0", "CH-2 511 @1000"};
        QTest::newRow("cut without proof of timing") << QStringList{"10", "23876", "117", "511"}
                                                     << QStringList{"gap CH-1 cut", "gap CH-2 range", "CH-3 117 @2000",
                                                                    "CH-4 511 @3000"};
        QTest::newRow("late tail taken for the next reply's start")
            << QStringList{"102", "38", "76|117", "511"}
            << QStringList{"gap CH-1 cut", "gap CH-2 range", "CH-3 117 @2000", "CH-4 511 @3000"};
        QTest::newRow("a cut that shows three replies on")
            << QStringList{"10", "238", "761", "17511", "1023"}
            << QStringList{"gap CH-1 cut", "gap CH-2 cut", "gap CH-3 cut", "gap CH-4 range", "CH-1 1023 @4000"};
        QTest::newRow("glued") << QStringList{"117511", "1023876", "117"}
                               << QStringList{"gap CH-1 range", "gap CH-2 range", "CH-3 117 @2000"};
        QTest::newRow("junk, and the readings before it")
            << QStringList{"117", "511", "1023", QString::fromLatin1("\xff\0", 2), "876", "", "511"}
            << QStringList{"gap CH-1 cut", "gap CH-2 cut", "gap CH-3 cut", "gap CH-4 junk", "CH-1 876 @4000",
                           "gap CH-2 none", "gap CH-3 uncertain"};
        QTest::newRow("out of range") << QStringList{"1024", "-1", "5.12e2", "0"}
                                      << QStringList{"gap CH-1 range", "gap CH-2 junk", "gap CH-3 junk", "CH-4 0 @3000"};
    }
    void archivesOnlyRepliesItCanAttribute()
    {
        QFETCH(QStringList, reads);
        ArchivingRecorder rig;
        QString shown;
        reads << QStringList(ReplyAssembly::kConfirmingReplies + 1, QString());
        for (qsizetype tick = 0; tick < reads.size(); ++tick) {
            const qsizetype bar = reads[tick].indexOf(u'|');
            rig.link.before.push_back(std::max<qsizetype>(bar, 0));
            rig.link.replies << QString(reads[tick]).remove(u'|');
            rig.clock.utcNs = 1000 * (tick + 1);
            rig.r.timer1Tick();
            if (tick == 1)
                shown = rig.form.labelText[LabelId::Label2];
        }
        QTEST(rig.sink.handed, "handed");
        // The chart shows what the tick read, whatever the archive makes of it.
        const QString secondRead = QString(reads[1]).remove(u'|');
        QCOMPARE(shown, QStringLiteral("CH-2 : ") + voltsText(parseReading(secondRead).value_or(0.0)));
    }

    // More than one read in twenty over a minute with bytes that answer an earlier request: one
    // notice, however long it lasts.
    void persistentlyLateRepliesAreToldOnce()
    {
        StartedRecorder rig;
        for (int tick = 0; tick < 3 * 3000; ++tick) {
            const bool late = tick < 3000 ? tick % 20 == 0 : tick % 10 == 0;
            rig.link.replies << (late ? QStringLiteral("511") : QStringLiteral("117"));
            rig.link.before.push_back(late ? 3 : 0);
            rig.r.timer1Tick();
            if (tick == 2999)
                QCOMPARE(rig.form.problems.size(), 0);
        }
        QCOMPARE(rig.form.problems.size(), 1);
        QVERIFY(rig.form.problems.front().contains(QStringLiteral("latency timer")));
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
