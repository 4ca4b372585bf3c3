#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"
#include "tests/e2e/request_stream.h"
#include "tests/e2e/screen_layout.h"
#include "tests/e2e/x11_display.h"

#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
const QString kMainTitle = QStringLiteral("KELVRA(12F683)");
const QString kQuestionTitle = QStringLiteral("終了確認");
const double kReadings[] = {100, 400, 700, 1000};
constexpr int kFirstColumn = 2;
// Long enough that a recorder paused by the question would leave a gap nobody could miss.
constexpr int kQuestionShownMs = 1500;
// A few ticks, with room for a loaded machine and a sanitizer build.
constexpr double kLongestGapMs = 1000.0;

enum class CloseBy { ExitButton, CloseBox };

void askToClose(const X11Display& display, WindowId window, CloseBy how)
{
    if (how == CloseBy::ExitButton)
        display.click(window, screen::kExitButton);
    else
        display.requestClose(window);
}

}  // namespace

Q_DECLARE_METATYPE(CloseBy)

// Leaving the real recorder through its question, from the ＥＸＩＴ button and from the close box.
class TstE2eExit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !X11Display().isOpen())
            QSKIP("needs an X display (scripts/test.sh provides one)");
    }

    void answeringNoLeavesTheRecorderRunning_data() { closeWays(); }
    void answeringNoLeavesTheRecorderRunning()
    {
        QFETCH(CloseBy, how);
        BoardSimProcess board;
        QVERIFY(board.start({"--quiet", "--constant", "100,400,700,1000"}));
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Xcb));
        X11Display display;
        const WindowId window = display.waitForWindow(recorder.pid(), kMainTitle, kPatienceMs);
        QVERIFY2(window != 0, qPrintable(recorder.errorOutput()));
        QVERIFY(board.waitForReceived(90, kPatienceMs));

        const QImage before = display.grab(window);
        const qsizetype requestsBefore = board.received().size();
        const int last = static_cast<int>(requestsBefore / 15) - 3;
        askToClose(display, window, how);
        const WindowId question = display.waitForWindow(recorder.pid(), kQuestionTitle, kPatienceMs);
        QVERIFY2(question != 0, "no question came up");
        const QString questionTitle = display.title(question);
        QTest::qWait(kQuestionShownMs);
        display.pressKey(question, "Escape");
        QVERIFY2(display.waitUntilUnmapped(recorder.pid(), question, kPatienceMs), "the question stayed");
        QVERIFY(board.waitForReceived(board.received().size() + 50, kPatienceMs));

        QVERIFY(recorder.isRunning());
        QVERIFY(display.windowsOf(recorder.pid()).contains(window));
        // The channel index went on from where it was, and so did the ticks.
        const QList<LoggedByte> bytes = board.received();
        const qsizetype broken = firstOutOfCycle(bytes);
        QVERIFY2(broken < 0, qPrintable(describeBytes(bytes, broken)));
        const RequestPeriods periods = requestPeriods(bytes, bytes[requestsBefore - 1].seconds);
        qInfo("around the question: %lld requests, mean period %.2f ms, longest gap %.1f ms",
              static_cast<long long>(periods.count), periods.meanMs, periods.longestMs);
        QVERIFY2(periods.longestMs < kLongestGapMs, qPrintable(QStringLiteral("gap %1 ms").arg(periods.longestMs)));
        // Nothing was cleared.
        const QImage after = display.grab(window);
        for (int chart = 0; chart < 4; ++chart) {
            const QList<int> traced = screen::traceColumns(before, chart, kReadings[chart], kFirstColumn, last);
            QVERIFY(!traced.isEmpty());
            QCOMPARE(screen::traceColumns(after, chart, kReadings[chart], kFirstColumn, last), traced);
        }
        QCOMPARE(questionTitle, kQuestionTitle);
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }

    void answeringYesClosesTheLineAndEnds_data() { closeWays(); }
    void answeringYesClosesTheLineAndEnds()
    {
        QFETCH(CloseBy, how);
        BoardSimProcess board;
        QVERIFY(board.start({"--constant", "100,400,700,1000"}));
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Xcb));
        X11Display display;
        const WindowId window = display.waitForWindow(recorder.pid(), kMainTitle, kPatienceMs);
        QVERIFY2(window != 0, qPrintable(recorder.errorOutput()));
        QVERIFY(board.waitForReceived(25, kPatienceMs));

        askToClose(display, window, how);
        const WindowId question = display.waitForWindow(recorder.pid(), kQuestionTitle, kPatienceMs);
        QVERIFY2(question != 0, "no question came up");
        display.pressKey(question, "Return");

        QVERIFY2(recorder.waitForExit(kPatienceMs), "still running after Yes");
        QVERIFY(recorder.exitedNormally());
        QCOMPARE(recorder.exitCode(), 0);
        QVERIFY2(board.waitForLastStatus(QStringLiteral("nobody on the line"), kPatienceMs),
                 qPrintable(board.output()));
        QCOMPARE(firstOutOfCycle(board.received()), qsizetype(-1));
        // It left through its normal end, so a sanitizer build has checked for leaks too.
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }

private:
    static void closeWays()
    {
        QTest::addColumn<CloseBy>("how");
        QTest::newRow("exit button") << CloseBy::ExitButton;
        QTest::newRow("close box") << CloseBy::CloseBox;
    }
};

QTEST_GUILESS_MAIN(TstE2eExit)
#include "tst_e2e_exit.moc"
