#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"
#include "tests/e2e/request_stream.h"

#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
constexpr int kWatchMs = 2500;
// Half a second of ticks; the recorder sends about 125 in the watch.
constexpr qsizetype kFewestRequestsWatched = 25;
// Far above the recorder's few percent: only a busy loop gets near it.
constexpr double kCpuLimitPercent = 50.0;

int failureReports(const QString& errorOutput)
{
    int count = 0;
    for (const QString& line : errorOutput.split(u'\n'))
        count += line.startsWith(QLatin1String("kelvra: ")) ? 1 : 0;
    return count;
}

}  // namespace

// A misbehaving board or adapter must neither stop the recorder nor make it spin.
class TstE2eFaults : public QObject {
    Q_OBJECT
private slots:
    void recorderKeepsPollingCalmly_data()
    {
        QTest::addColumn<QString>("mode");
        for (const char* mode : {"silent", "late", "split", "noise", "chatty", "burst", "hangup-after:3"})
            QTest::newRow(mode) << QString::fromLatin1(mode);
    }
    void recorderKeepsPollingCalmly()
    {
        QFETCH(QString, mode);
        const bool hangsUp = mode.startsWith(QLatin1String("hangup"));
        BoardSimProcess board;
        QVERIFY(board.start({"--fault", mode, "--seed", "20240611"}));
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY2(board.waitForReceived(kFewestRequestsWatched, kPatienceMs), qPrintable(recorder.errorOutput()));
        if (hangsUp)
            QVERIFY(board.waitForLastStatus(QStringLiteral("line hung up"), kPatienceMs));

        const qsizetype before = board.received().size();
        const double cpu = cpuPercentOver(recorder, kWatchMs);
        const QList<LoggedByte> bytes = board.received();
        qInfo("%s: CPU %.1f %% of one core, %lld requests in %d ms", qPrintable(mode), cpu,
              static_cast<long long>(bytes.size() - before), kWatchMs);

        QVERIFY2(recorder.isRunning(), qPrintable(recorder.errorOutput()));
        QVERIFY(cpu >= 0.0);
        QVERIFY2(cpu < kCpuLimitPercent, qPrintable(QStringLiteral("CPU %1 %").arg(cpu)));
        // The requests never depend on what came back.
        const qsizetype broken = firstOutOfCycle(bytes);
        QVERIFY2(broken < 0, qPrintable(describeBytes(bytes, broken)));
        if (!hangsUp)
            QVERIFY2(bytes.size() - before >= kFewestRequestsWatched, "the requests stopped");
        // A board that talks nonsense is not a failing line; a line that went away is told once.
        QCOMPARE(failureReports(recorder.errorOutput()), hangsUp ? 1 : 0);
        VERIFY_NO_SANITIZER_REPORT(recorder);
        // A hung-up line reads as end of file, which carries no system error of its own.
        if (hangsUp)
            QVERIFY2(recorder.errorOutput().contains(QLatin1String("no longer available")),
                     qPrintable(recorder.errorOutput()));
    }
};

QTEST_GUILESS_MAIN(TstE2eFaults)
#include "tst_e2e_faults.moc"
