#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"
#include "tests/e2e/request_stream.h"

#include <QFileInfo>
#include <QTest>

#include <csignal>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
// Enough ticks to go round the cycle many times.
constexpr qsizetype kRequestsToWatch = 60;

// The lock files the serial port takes for the device, where they still exist.
QStringList lockFilesOf(QString device)
{
    const QString name = QStringLiteral("LCK..") + device.replace(u'/', u'_');
    QStringList left;
    for (const char* folder : {"/var/lock/", "/run/lock/"})
        if (QFileInfo::exists(QLatin1String(folder) + name))
            left << QLatin1String(folder) + name;
    return left;
}

}  // namespace

// The requests of the real recorder as the board receives them over a pseudo-terminal.
class TstE2eRequests : public QObject {
    Q_OBJECT
private slots:
    // One tick, one request, is the recorder core's to show (tst_acquisition); here the bytes on a
    // real line.
    void requestsAreSingleDigitsCyclingThroughTheChannels()
    {
        BoardSimProcess board;
        QVERIFY(board.start({"--quiet", "--constant", "100,400,700,1000"}));
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY2(board.waitForReceived(kRequestsToWatch, kPatienceMs), qPrintable(recorder.errorOutput()));

        // Only the digits, one per request, beginning with "0": no line ends, nothing between.
        const QList<LoggedByte> bytes = board.received();
        const qsizetype broken = firstOutOfCycle(bytes);
        QVERIFY2(broken < 0, qPrintable(describeBytes(bytes, broken)));
        QVERIFY(recorder.isRunning());
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }

    void aStopSignalClosesTheLineAndEndsNormally_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void aStopSignalClosesTheLineAndEndsNormally()
    {
        QFETCH(int, signalNumber);
        BoardSimProcess board;
        QVERIFY(board.start({"--constant", "100,400,700,1000"}));
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen));
        QVERIFY2(board.waitForReceived(5, kPatienceMs), qPrintable(recorder.errorOutput()));

        QVERIFY(recorder.sendSignal(signalNumber));
        QVERIFY2(recorder.waitForExit(kPatienceMs), "still running after the signal");
        QVERIFY2(recorder.exitedNormally(), "killed by the signal instead of ending");
        QCOMPARE(recorder.exitCode(), 0);
        QVERIFY2(board.waitForLastStatus(QStringLiteral("nobody on the line"), kPatienceMs), qPrintable(board.output()));
        QCOMPARE(lockFilesOf(board.link()), QStringList());
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }
};

QTEST_GUILESS_MAIN(TstE2eRequests)
#include "tst_e2e_requests.moc"
