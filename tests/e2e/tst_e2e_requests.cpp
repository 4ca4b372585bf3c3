#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"
#include "tests/e2e/request_stream.h"

#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
// Three seconds of ticks: enough to see the cycle and its spacing settle.
constexpr qsizetype kRequestsToWatch = 150;

}  // namespace

// The requests of the real recorder as the board receives them over a pseudo-terminal.
class TstE2eRequests : public QObject {
    Q_OBJECT
private slots:
    void requestsCycleThroughTheChannelsOneByteATick()
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

        const RequestPeriods periods = requestPeriods(bytes);
        qInfo("%lld requests, mean period %.2f ms (nominal 20), longest gap %.1f ms",
              static_cast<long long>(periods.count), periods.meanMs, periods.longestMs);
        QVERIFY(recorder.isRunning());
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }
};

QTEST_GUILESS_MAIN(TstE2eRequests)
#include "tst_e2e_requests.moc"
