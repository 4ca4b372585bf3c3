#include "archive/station_codes.h"
#include "recorder/reading.h"
#include "tests/archive/mseed_readback.h"
#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <array>
#include <csignal>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 20000;
constexpr qsizetype kRequests = 300;  // six seconds of ticks
const std::array<int, 4> kConstants{11, 22, 33, 44};
constexpr std::uint64_t kSeed = 7;
// Half a sample period, plus what a loaded machine may add between the recorder's write and
// the simulator's read of a request.
constexpr double kTimeSlackSeconds = 0.040 + 0.020;

struct Expected {
    std::int32_t counts;
    double requestSeconds;  // the simulator's monotonic clock
};

// Every sample of one channel in the recorder's archive, from today's and, past midnight,
// tomorrow's day file.
kelvra::test::ReadBack archived(const RecorderProcess& recorder, int channel, QDate firstDay)
{
    const kelvra::archive::StationCodes codes;
    kelvra::test::ReadBack all;
    for (QDate day = firstDay; day <= QDateTime::currentDateTimeUtc().date(); day = day.addDays(1)) {
        const auto back = kelvra::test::readWithLibmseed(kelvra::archive::dayFilePath(
            recorder.archiveFolder(), codes, codes.channels.at(static_cast<std::size_t>(channel)), day));
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

}  // namespace

class TstE2eArchive : public QObject {
    Q_OBJECT
private slots:
    // With a noisy board the archive holds exactly the whole readings among the replies the
    // recorder read, each at the time its request reached the board, and nothing where the reply
    // was noise. Judged by what the recorder read (its kelvra.readings lines), since on a loaded
    // machine a reply may miss its tick and be read as the next channel's. mseed2sac, a reader
    // that is not ours, finds the same values.
    void archivesWhatTheBoardSentAtItsRequestTimes()
    {
        BoardSimProcess board;
        QVERIFY(board.start(
            {"--quiet", "--constant", "11,22,33,44", "--fault", "noise", "--seed", QString::number(kSeed)}));
        const QDate firstDay = QDateTime::currentDateTimeUtc().date();
        RecorderProcess recorder;
        recorder.setEnvironmentValue(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("kelvra.readings.debug=true"));
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY2(board.waitForReceived(kRequests, kPatienceMs), qPrintable(recorder.errorOutput()));
        stopWithSigterm(recorder);

        static const QRegularExpression tickLine(
            QStringLiteral("^kelvra\\.readings: GP(\\d) \\S+ at \\S+ reply ?([0-9a-f]*)$"),
            QRegularExpression::MultilineOption);
        const QList<LoggedByte> requests = board.received();
        std::array<std::vector<Expected>, 4> expected;
        int gaps = 0;
        qsizetype tick = 0;
        for (const QRegularExpressionMatch& match : tickLine.globalMatch(recorder.errorOutput())) {
            // Tick n reads what answered request n, the first one sent at start-up.
            QVERIFY(tick < requests.size());
            const int channel = match.captured(1).toInt() - 1;
            QCOMPARE(requests.at(tick).byte, char('0' + channel));
            const QString reply = QString::fromLatin1(QByteArray::fromHex(match.captured(2).toLatin1()));
            if (const auto counts = kelvra::storableCounts(reply))
                expected.at(static_cast<std::size_t>(channel)).push_back({*counts, requests.at(tick).seconds});
            else
                ++gaps;
            ++tick;
        }
        QVERIFY(tick >= kRequests - 1);
        QVERIFY(gaps > 0);

        for (int channel = 0; channel < 4; ++channel) {
            const auto back = archived(recorder, channel, firstDay);
            QVERIFY(back.ok);
            const auto& wanted = expected.at(static_cast<std::size_t>(channel));
            QVERIFY2(back.samples.size() == wanted.size(),
                qPrintable(
                    QStringLiteral("channel %1: %2 of %3").arg(channel).arg(back.samples.size()).arg(wanted.size())));
            std::vector<double> offsets;
            for (std::size_t i = 0; i < back.samples.size(); ++i) {
                QCOMPARE(back.samples[i].counts, wanted[i].counts);
                offsets.push_back(static_cast<double>(back.samples[i].timeUs) / 1e6 - wanted[i].requestSeconds);
            }
            // UTC against the simulator's monotonic clock: a fixed offset, within the slack.
            const auto [low, high] = std::minmax_element(offsets.begin(), offsets.end());
            QVERIFY2(*high - *low <= 2 * kTimeSlackSeconds, qPrintable(QString::number(*high - *low)));

            const kelvra::test::SacValues sac = kelvra::test::readWithMseed2sac(kelvra::archive::dayFilePath(
                recorder.archiveFolder(), {},
                kelvra::archive::StationCodes().channels.at(static_cast<std::size_t>(channel)), firstDay));
            QVERIFY(sac.ok);
            std::vector<std::int32_t> values;
            for (const auto& sample : back.samples)
                values.push_back(sample.counts);
            QCOMPARE(sac.values, values);
        }
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
