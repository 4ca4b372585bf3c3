#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"
#include "tests/e2e/request_stream.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
// Half a second of ticks before watching, and as many while watching.
constexpr qsizetype kTicksBeforeWatching = 25;
constexpr qsizetype kTicksWatched = 25;
// A calm tick costs well under a millisecond of CPU; a recorder that spins between ticks burns
// whatever the machine gives it, however busy the machine is.
constexpr double kSpinningCpuMsPerTick = 10.0;
const QString kTickLog = QStringLiteral("kelvra.readings.debug=true");

int failureReports(const QString& errorOutput)
{
    int count = 0;
    for (const QString& line : errorOutput.split(u'\n'))
        count += line.startsWith(QLatin1String("kelvra: ")) ? 1 : 0;
    return count;
}

// Ticks the recorder has told of so far (one kelvra.readings line each).
qsizetype ticksTold(RecorderProcess& recorder)
{
    return recorder.errorOutput().count(QLatin1String("kelvra.readings: "));
}

}  // namespace

// A misbehaving board or adapter must neither stop the recorder nor make it spin.
class TstE2eFaults : public QObject {
    Q_OBJECT
private slots:
    void recorderKeepsPollingCalmly_data()
    {
        QTest::addColumn<QString>("mode");
        for (const char* mode : {"silent", "late", "split", "noise", "chatty", "burst", "straddle", "hangup-after:3"})
            QTest::newRow(mode) << QString::fromLatin1(mode);
    }
    void recorderKeepsPollingCalmly()
    {
        QFETCH(QString, mode);
        const bool hangsUp = mode.startsWith(QLatin1String("hangup"));
        BoardSimProcess board;
        QVERIFY(board.start({"--fault", mode, "--seed", "20240611"}));
        RecorderProcess recorder;
        recorder.setEnvironmentValue(QStringLiteral("QT_LOGGING_RULES"), kTickLog);
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        // The hang-up comes 3 s after the board started (room for a slow sanitizer start), whenever
        // the recorder got there.
        QVERIFY2(board.waitForReceived(hangsUp ? 1 : kTicksBeforeWatching, kPatienceMs),
                 qPrintable(recorder.errorOutput()));
        if (hangsUp)
            QVERIFY(board.waitForLastStatus(QStringLiteral("line hung up"), kPatienceMs));

        const qsizetype requestsBefore = board.received().size();
        const qsizetype ticksBefore = ticksTold(recorder);
        const double cpuBefore = recorder.cpuSeconds();
        QVERIFY2(QTest::qWaitFor([&] { return ticksTold(recorder) >= ticksBefore + kTicksWatched; }, kPatienceMs),
                 "the ticks stopped");
        const double cpuMsPerTick = 1000.0 * (recorder.cpuSeconds() - cpuBefore)
                                  / static_cast<double>(ticksTold(recorder) - ticksBefore);
        qInfo("%s: %.2f ms of CPU a tick", qPrintable(mode), cpuMsPerTick);

        QVERIFY2(recorder.isRunning(), qPrintable(recorder.errorOutput()));
        QVERIFY2(cpuMsPerTick < kSpinningCpuMsPerTick, qPrintable(QStringLiteral("%1 ms a tick").arg(cpuMsPerTick)));
        // The requests never depend on what came back, and go on while the line is there.
        const QList<LoggedByte> bytes = board.received();
        const qsizetype broken = firstOutOfCycle(bytes);
        QVERIFY2(broken < 0, qPrintable(describeBytes(bytes, broken)));
        if (!hangsUp)
            QVERIFY2(board.waitForReceived(requestsBefore + kTicksWatched, kPatienceMs), "the requests stopped");
        // A board that talks nonsense is not a failing line; a line that went away is told once.
        QCOMPARE(failureReports(recorder.errorOutput()), hangsUp ? 1 : 0);
        VERIFY_NO_SANITIZER_REPORT(recorder);
        // A hung-up line reads as end of file, which carries no system error of its own.
        if (hangsUp)
            QVERIFY2(recorder.errorOutput().contains(QLatin1String("no longer available")),
                     qPrintable(recorder.errorOutput()));
    }

    // A pulled adapter plugged in again under the same name: taken up again and told once, the
    // requests go on in their cycle from the channel the next tick reads, and replies show again.
    void aLineThatComesBackIsTakenUpAgain()
    {
        BoardSimProcess board;
        QVERIFY(board.start({"--fault", "replug-after:3", "--constant", "117,511,1023,876"}));
        RecorderProcess recorder;
        recorder.setEnvironmentValue(QStringLiteral("QT_LOGGING_RULES"), kTickLog);
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY2(recorder.waitForErrorOutput(QStringLiteral("is back"), kPatienceMs),
                 qPrintable(recorder.errorOutput()));
        const qsizetype ticksAtReturn = ticksTold(recorder);
        QVERIFY2(QTest::qWaitFor([&] { return ticksTold(recorder) >= ticksAtReturn + kTicksWatched; }, kPatienceMs),
                 "the ticks stopped");
        const QString output = recorder.errorOutput();
        QCOMPARE(failureReports(output), 2);

        // From the report on: the tick that reopened, then the one that reads the request written then.
        static const QRegularExpression tickLine(
            QStringLiteral("kelvra\\.readings: GP(\\d) (\\S+) at \\S+ reply (\\S*)"));
        QList<QRegularExpressionMatch> ticks;
        for (auto it = tickLine.globalMatch(output, output.indexOf(QLatin1String("is back"))); it.hasNext();)
            ticks << it.next();
        const int outstanding = ticks.value(1).captured(1).toInt() - 1;
        const QList<LoggedByte> bytes = board.received();
        qsizetype back = 1;
        while (back < bytes.size() && bytes[back].seconds - bytes[back - 1].seconds < 1.0)
            ++back;
        QVERIFY2(back < bytes.size(), "no outage in the requests");
        const qsizetype before = firstOutOfCycle(bytes.first(back));
        QVERIFY2(before < 0, qPrintable(describeBytes(bytes, before)));
        const qsizetype after = firstOutOfCycle(bytes.sliced(back), outstanding);
        QVERIFY2(after < 0, qPrintable(describeBytes(bytes, back + after)));
        const QStringList constants{"117", "511", "1023", "876"};
        const bool ownReadingShown = std::any_of(ticks.cbegin(), ticks.cend(), [&](const QRegularExpressionMatch& m) {
            return !m.captured(3).isEmpty() && m.captured(2) == constants.value(m.captured(1).toInt() - 1);
        });
        QVERIFY2(ownReadingShown, qPrintable(output.right(2000)));
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }
};

QTEST_GUILESS_MAIN(TstE2eFaults)
#include "tst_e2e_faults.moc"
