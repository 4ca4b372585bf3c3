#include "archive/sds_layout.h"
#include "archive/station_codes.h"
#include "tests/archive/mseed_readback.h"
#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <limits>

#include <sched.h>
#include <sys/mount.h>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 20000;
constexpr qsizetype kRequests = 300;  // six seconds of ticks
// Distinct readings whose pieces and concatenations are never another channel's reading.
const QString kConstants = QStringLiteral("117,511,1023,876");
// Its noise never happens to look like a reading.
constexpr std::uint64_t kSeed = 7;
// Half a sample period, plus what a loaded machine may add between the recorder's write and
// the simulator's read of a request.
constexpr double kTimeSlackSeconds = 0.040 + 0.020;
constexpr qsizetype kOutageRequests = 1000;  // twenty seconds of ticks
// Replies of a channel at the start and end of a run that no recorder stores: the last waits for
// replies that never come.
constexpr qsizetype kUnstoredAtEachEnd = 2;

// Every sample of one channel in the recorder's archive, from today's and, past midnight,
// tomorrow's day file.
kelvra::test::ReadBack archived(const RecorderProcess& recorder, int channel, QDate firstDay)
{
    const kelvra::archive::StationCodes codes;
    const kelvra::archive::SdsLayout layout(recorder.archiveFolder());
    kelvra::test::ReadBack all;
    for (QDate day = firstDay; day <= QDateTime::currentDateTimeUtc().date(); day = day.addDays(1)) {
        const auto back = kelvra::test::readWithLibmseed(
            layout.dayFile(codes, codes.channels.at(static_cast<std::size_t>(channel)), day));
        all.ok = all.ok && back.ok;
        all.samples.insert(all.samples.end(), back.samples.begin(), back.samples.end());
    }
    return all;
}

// A stop signal right after the run: the recorder exits with 0, having written what it kept.
void stopWithSigterm(RecorderProcess& recorder)
{
    QVERIFY(recorder.sendSignal(SIGTERM));
    QVERIFY(recorder.waitForExit(kPatienceMs));
    QVERIFY(recorder.exitedNormally());
    QCOMPARE(recorder.exitCode(), 0);
}

// UTC less the monotonic clock the simulator logs by, both in seconds, as this machine has them.
double utcOverMonotonic()
{
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count()
        - duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Seconds from the nearest request of `channel` that the board answered with `counts` to
// `seconds` on the simulator's clock; infinite when the board never sent that reading.
double sinceNearestReply(const QList<SentReply>& replies, int channel, std::int32_t counts, double seconds)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (const SentReply& reply : replies) {
        if (reply.channel == channel && !reply.noise && reply.reading == QByteArray::number(counts)
            && std::abs(seconds - reply.seconds) < std::abs(nearest))
            nearest = seconds - reply.seconds;
    }
    return nearest;
}

// The clocks' offset as the samples have it, taking in what the write of a request took to be
// read: the median of each sample's time less that of the nearest request answered with it.
double clockOffset(const QList<SentReply>& replies, const std::array<kelvra::test::ReadBack, 4>& backs)
{
    const double roughOffset = utcOverMonotonic();
    std::vector<double> offsets;
    for (int channel = 0; channel < 4; ++channel) {
        for (const auto& sample : backs[channel].samples) {
            const double since = sinceNearestReply(replies, channel, sample.counts,
                                                   static_cast<double>(sample.timeUs) / 1e6 - roughOffset);
            if (std::isfinite(since))
                offsets.push_back(since);
        }
    }
    std::nth_element(offsets.begin(), offsets.begin() + offsets.size() / 2, offsets.end());
    return roughOffset + (offsets.empty() ? 0.0 : offsets[offsets.size() / 2]);
}

// A tmpfs on `folder` in a mount namespace of this process's own, which the recorder it starts
// shares and nothing outside sees: the mount goes with the test however it ends.
class PrivateTmpfs {
public:
    explicit PrivateTmpfs(const QString& folder) : folder_(QFile::encodeName(folder))
    {
        if (!QDir().mkpath(folder) || ::unshare(CLONE_NEWNS) != 0
            || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=1m") != 0)
            refusal_ = QString::fromLocal8Bit(std::strerror(errno));
    }
    PrivateTmpfs(const PrivateTmpfs&) = delete;
    PrivateTmpfs& operator=(const PrivateTmpfs&) = delete;
    ~PrivateTmpfs()
    {
        if (refusal_.isEmpty())
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    // Why it could not be mounted; empty when it is.
    const QString& refusal() const { return refusal_; }

private:
    QByteArray folder_;
    QString refusal_;
};

}  // namespace

class TstE2eArchive : public QObject {
    Q_OBJECT
private slots:
    void archivesWhatTheBoardSentAtItsRequestTimes_data()
    {
        QTest::addColumn<QString>("fault");
        // At least one in this many replies of a channel is kept; 0 for no floor: chatter glues
        // itself onto most replies, and a split reply's tail comes in within a character time or
        // two of the next request, so on a loaded machine the simulator's own delays decide how
        // many can be told apart (72 of 75 when idle, 6 beside other tests on two cores).
        QTest::addColumn<int>("keptOneIn");
        QTest::newRow("noise") << "noise" << 4;
        QTest::newRow("split") << "split" << 0;
        QTest::newRow("chatty") << "chatty" << 0;
        QTest::newRow("burst") << "burst" << 4;
        QTest::newRow("straddle") << "straddle" << 4;
    }
    // Whatever the board or adapter does to the replies, every archived sample is a reading the
    // board sent in answer to a request of that channel, at that request's time; what cannot be
    // told apart is left out, but never nearly all. mseed2sac, a reader that is not ours, finds
    // the same values.
    void archivesWhatTheBoardSentAtItsRequestTimes()
    {
        QFETCH(QString, fault);
        QFETCH(int, keptOneIn);
        BoardSimProcess board;
        QVERIFY(board.start({"--quiet", "--constant", kConstants, "--fault", fault, "--seed", QString::number(kSeed)}));
        const QDate firstDay = QDateTime::currentDateTimeUtc().date();
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY2(board.waitForReceived(kRequests, kPatienceMs), qPrintable(recorder.errorOutput()));
        stopWithSigterm(recorder);
        const QList<SentReply> replies = board.replies();

        std::array<kelvra::test::ReadBack, 4> backs;
        std::array<qsizetype, 4> sent{};
        QStringList figures;
        for (int channel = 0; channel < 4; ++channel) {
            backs[channel] = archived(recorder, channel, firstDay);
            const auto count = [&](bool noise) {
                return std::count_if(replies.begin(), replies.end(), [&](const SentReply& reply) {
                    return reply.channel == channel && reply.noise == noise;
                });
            };
            sent[channel] = count(false);
            figures << QStringLiteral("CH-%1 %2 sent (and %3 noise), %4 archived")
                           .arg(channel + 1).arg(sent[channel]).arg(count(true)).arg(backs[channel].samples.size());
        }
        qInfo("%s: %s", qPrintable(fault), qPrintable(figures.join(QStringLiteral("; "))));
        const double offset = clockOffset(replies, backs);

        for (int channel = 0; channel < 4; ++channel) {
            const auto& samples = backs[channel].samples;
            QVERIFY(backs[channel].ok);
            for (std::size_t i = 0; i < samples.size(); ++i) {
                const double missMs = 1000.0 * sinceNearestReply(replies, channel, samples[i].counts,
                                                                 static_cast<double>(samples[i].timeUs) / 1e6 - offset);
                QVERIFY2(std::abs(missMs) <= 1000.0 * kTimeSlackSeconds,
                         qPrintable(QStringLiteral("CH-%1 sample %2 (%3): %4 ms from a request answered with it")
                                        .arg(channel + 1).arg(i).arg(samples[i].counts).arg(missMs)));
            }
            // Storing nothing would pass the checks above.
            QVERIFY2(keptOneIn == 0 || static_cast<qsizetype>(samples.size()) * keptOneIn >= sent[channel],
                     qPrintable(figures[channel]));

            const kelvra::test::SacValues sac =
                kelvra::test::readWithMseed2sac(kelvra::archive::SdsLayout(recorder.archiveFolder()).dayFile(
                    {}, kelvra::archive::StationCodes().channels.at(static_cast<std::size_t>(channel)), firstDay));
            QVERIFY(sac.ok);
            std::vector<std::int32_t> values;
            for (const auto& sample : samples)
                values.push_back(sample.counts);
            QCOMPARE(sac.values, values);
        }
    }

    // A full disk for twenty seconds, then room again: every reply the board sent is in the
    // archive, but for the first and last few and those the recorder counts as gaps.
    void aFullDiskLosesNoSample()
    {
        RecorderProcess recorder;
        recorder.setEnvironmentValue(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        const PrivateTmpfs tmpfs(recorder.archiveFolder());
        if (!tmpfs.refusal().isEmpty())
            QSKIP(qPrintable(QStringLiteral("a tmpfs in a mount namespace of its own needs root: ") + tmpfs.refusal()));
        BoardSimProcess board;
        QVERIFY(board.start({"--quiet", "--constant", kConstants}));
        const QDate firstDay = QDateTime::currentDateTimeUtc().date();
        // A tmpfs refuses an append only where the file needs a new page, so it is full before
        // the first record.
        QFile filler(QDir(recorder.archiveFolder()).filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray chunk(4096, 'x');
        while (filler.write(chunk) == chunk.size()) {
        }
        filler.close();
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        // The notice names the file it could not write.
        QVERIFY2(recorder.waitForErrorOutput(recorder.archiveFolder(), kPatienceMs),
                 qPrintable(recorder.errorOutput()));
        QVERIFY(board.waitForReceived(board.received().size() + kOutageRequests, 2 * kPatienceMs));
        QVERIFY(filler.remove());
        const kelvra::archive::StationCodes codes;
        const kelvra::archive::SdsLayout layout(recorder.archiveFolder());
        const auto written = [&] {
            return std::all_of(codes.channels.begin(), codes.channels.end(), [&](const QString& code) {
                const QString path = layout.dayFile(codes, code, firstDay);
                return QFileInfo(path).size() > 0;
            });
        };
        QVERIFY2(QTest::qWaitFor(written, 4 * kPatienceMs), qPrintable(recorder.errorOutput()));
        QVERIFY(board.waitForReceived(board.received().size() + 100, kPatienceMs));
        stopWithSigterm(recorder);
        const QList<SentReply> replies = board.replies();
        // A loaded machine makes the recorder miss or glue a few replies, and it counts them.
        const QRegularExpressionMatch gaps =
            QRegularExpression(QStringLiteral("(\\d+) requests left a gap")).match(recorder.errorOutput());
        QVERIFY2(gaps.hasMatch(), qPrintable(recorder.errorOutput()));

        std::array<kelvra::test::ReadBack, 4> backs;
        for (int channel = 0; channel < 4; ++channel)
            backs[channel] = archived(recorder, channel, firstDay);
        const double offset = clockOffset(replies, backs);
        QStringList figures;
        qsizetype missing = 0;
        for (int channel = 0; channel < 4; ++channel) {
            QVERIFY(backs[channel].ok);
            std::vector<double> times;
            for (const auto& sample : backs[channel].samples)
                times.push_back(static_cast<double>(sample.timeUs) / 1e6 - offset);
            QList<SentReply> sent = replies;
            sent.removeIf([&](const SentReply& reply) { return reply.channel != channel; });
            qsizetype notArchived = 0;
            for (qsizetype i = kUnstoredAtEachEnd; i < sent.size() - kUnstoredAtEachEnd; ++i) {
                const auto after = std::lower_bound(times.begin(), times.end(), sent[i].seconds - kTimeSlackSeconds);
                notArchived += after == times.end() || *after > sent[i].seconds + kTimeSlackSeconds;
            }
            missing += notArchived;
            figures << QStringLiteral("CH-%1 %2 sent, %3 archived, %4 missing")
                           .arg(channel + 1).arg(sent.size()).arg(times.size()).arg(notArchived);
        }
        figures << QStringLiteral("%1 gaps counted").arg(gaps.captured(1));
        qInfo("full disk: %s", qPrintable(figures.join(QStringLiteral("; "))));
        QVERIFY2(missing <= gaps.captured(1).toLongLong(), qPrintable(figures.join(QStringLiteral("; "))));
    }

    // A second recorder of the same station in the same folder says so and records on screen.
    void aSecondRecorderOfTheStationIsRefused()
    {
        BoardSimProcess firstBoard, secondBoard;
        QVERIFY(firstBoard.start({"--quiet"}));
        QVERIFY(secondBoard.start({"--quiet"}));
        RecorderProcess first, second;
        QVERIFY(first.start(firstBoard.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY(firstBoard.waitForReceived(10, kPatienceMs));
        QVERIFY(second.start(secondBoard.link(), RecorderProcess::Platform::Offscreen,
                             {"--archive", first.archiveFolder()}));
        QVERIFY2(second.waitForErrorOutput(QStringLiteral("XX.KELV.00"), kPatienceMs),
                 qPrintable(second.errorOutput()));
        const qsizetype before = secondBoard.received().size();
        QVERIFY(secondBoard.waitForReceived(before + 50, kPatienceMs));
        QVERIFY(!first.errorOutput().contains(QStringLiteral("XX.KELV.00")));
    }

    // A board that never answers leaves nothing in the archive, not the zeros on the chart.
    void aSilentBoardLeavesAGap()
    {
        BoardSimProcess board;
        QVERIFY(board.start({"--quiet", "--fault", "silent"}));
        const QDate firstDay = QDateTime::currentDateTimeUtc().date();
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY2(board.waitForReceived(100, kPatienceMs), qPrintable(recorder.errorOutput()));
        stopWithSigterm(recorder);
        for (int channel = 0; channel < 4; ++channel) QVERIFY(archived(recorder, channel, firstDay).samples.empty());
    }
};

QTEST_GUILESS_MAIN(TstE2eArchive)
#include "tst_e2e_archive.moc"
