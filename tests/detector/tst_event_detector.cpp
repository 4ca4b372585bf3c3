#include "detector/detector_settings.h"
#include "detector/event_detector.h"
#include "recorder/constants.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace kelvra::detector;

namespace {

constexpr double kPeriodS = 1.0 / kelvra::kSampleRateHz;
constexpr std::int64_t kDayStartNs = 1'796'774'400'000'000'000;  // 2026-12-09T00:00:00Z

// A local event on some channels: full amplitude at the onset, a 2-4 Hz coda dying away in seconds.
struct Quake {
    double atS;
    QList<int> channels;
    double counts = 60;
};

// What befalls the data from `atS` on: samples missing, the clock stepped (both with the board
// at another offset afterwards), or one channel stuck at full scale.
struct Fault {
    enum Kind { Gap, ClockStep, Stuck } kind;
    double atS;
    double seconds = 0;  // the gap's length, the step (negative: back)
    int channel = 0;     // the stuck one
};

struct Day {
    double seconds = 600;
    QList<Quake> quakes;
    QList<Fault> faults;
    int minChannels = 1;
};

struct Found {
    double onsetS;
    QList<int> channels;
};

// Four channels of seeded noise around the board's mid-scale with a microseism, the quakes added,
// fed in time order as the recorder stores them.
std::vector<DetectedEvent> detect(const Day& day)
{
    DetectorSettings settings;
    std::vector<TriggerParameters> streams(kelvra::kChannelCount, TriggerParameters::from(settings, kelvra::kSampleRateHz));
    for (TriggerParameters& stream : streams)
        stream.fullScale = std::pair{0, kelvra::kBoardFullScale};
    EventDetector detector(streams, day.minChannels);
    std::mt19937 random(20261209);
    std::normal_distribution<double> noise(0, 2.5);
    double offset = 512;
    double clockS = 0;
    for (double t = 0; t < day.seconds; t += kPeriodS) {
        bool skipped = false;
        for (const Fault& fault : day.faults) {
            const bool now = t >= fault.atS && t < fault.atS + kPeriodS / 2;
            if (fault.kind == Fault::Gap && t >= fault.atS && t < fault.atS + fault.seconds)
                skipped = true;
            if (now && fault.kind != Fault::Stuck)
                offset = 540;
            if (now && fault.kind == Fault::ClockStep)
                clockS += fault.seconds;
        }
        if (skipped)
            continue;
        for (int channel = 0; channel < kelvra::kChannelCount; ++channel) {
            double counts = offset + 6 * std::sin(2 * M_PI * 0.2 * t + channel) + noise(random);
            for (const Quake& quake : day.quakes) {
                const double since = t - quake.atS - 0.1 * quake.channels.indexOf(channel);
                if (quake.channels.contains(channel) && since >= 0)
                    counts += quake.counts * std::exp(-since / 2.0)
                              * (0.7 * std::sin(2 * M_PI * 3.1 * since) + 0.3 * std::sin(2 * M_PI * 2.2 * since + 1));
            }
            for (const Fault& fault : day.faults)
                if (fault.kind == Fault::Stuck && fault.channel == channel && t >= fault.atS)
                    counts = kelvra::kBoardFullScale;
            detector.add(channel, std::int32_t(std::lround(counts)),
                         kDayStartNs + std::llround((t + clockS) * 1e9));
        }
    }
    detector.finish();
    return detector.takeEnded();
}

}  // namespace

Q_DECLARE_METATYPE(Day)
Q_DECLARE_METATYPE(QList<Found>)

class TstEventDetector : public QObject {
    Q_OBJECT
private slots:
    void findsTheQuakesAndNothingElse_data();
    void findsTheQuakesAndNothingElse();
};

void TstEventDetector::findsTheQuakesAndNothingElse_data()
{
    QTest::addColumn<Day>("day");
    QTest::addColumn<QList<Found>>("expected");
    QTest::newRow("one channel") << Day{600, {{300, {1}}}, {}} << QList<Found>{{300, {1}}};
    QTest::newRow("three channels, and one that is too few") << Day{600, {{200, {0, 2, 3}}, {400, {1}}}, {}, 2}
                                                              << QList<Found>{{200, {0, 2, 3}}};
    QTest::newRow("an hour of noise") << Day{3600, {}, {}} << QList<Found>{};
    QTest::newRow("a gap") << Day{600, {}, {{Fault::Gap, 300, 20}}} << QList<Found>{};
    QTest::newRow("a restart, the clock stepped back") << Day{600, {}, {{Fault::ClockStep, 300, -600}}}
                                                       << QList<Found>{};
    QTest::newRow("a channel stuck at full scale") << Day{600, {}, {{Fault::Stuck, 300, 0, 2}}} << QList<Found>{};
    QTest::newRow("a quake while the averages fill after a gap")
        << Day{600, {{330, {0, 1, 2, 3}}}, {{Fault::Gap, 300, 10}}} << QList<Found>{};
    QTest::newRow("a small quake soon after they have filled")
        << Day{600, {{345, {0, 1, 2, 3}, 20}}, {{Fault::Gap, 300, 10}}} << QList<Found>{{345, {0, 1, 2, 3}}};
}

void TstEventDetector::findsTheQuakesAndNothingElse()
{
    QFETCH(Day, day);
    QFETCH(QList<Found>, expected);
    const std::vector<DetectedEvent> events = detect(day);
    QCOMPARE(int(events.size()), expected.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        const double onsetS = double(events[i].onsetNs - kDayStartNs) / 1e9;
        QVERIFY2(std::abs(onsetS - expected[int(i)].onsetS) <= 0.5, qPrintable(QString::number(onsetS)));
        QCOMPARE(QList<int>(events[i].channels.begin(), events[i].channels.end()), expected[int(i)].channels);
    }
}

QTEST_GUILESS_MAIN(TstEventDetector)
#include "tst_event_detector.moc"
