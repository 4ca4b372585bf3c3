#include "tests/e2e/request_stream.h"
#include "tests/e2e/screen_layout.h"
#include "tests/e2e/shown_recorder.h"

#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
const QString kQuestionTitle = QStringLiteral("終了確認");
constexpr int kFirstColumn = 2;
// Long enough that a recorder paused by the question would leave a gap nobody could miss.
constexpr int kQuestionShownMs = 1500;
// A few ticks, with room for a loaded machine and a sanitizer build.
constexpr double kLongestGapMs = 1000.0;

enum class CloseBy { ExitButton, CloseBox };

void askToClose(const ShownRecorder& shown, CloseBy how)
{
    if (how == CloseBy::ExitButton)
        shown.display.click(shown.window, screen::kExitButton);
    else
        shown.display.requestClose(shown.window);
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
        ShownRecorder shown;
        const QString problem = shown.start({"--quiet", "--constant", kConstantReadings});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(shown.board.waitForReceived(90, kPatienceMs));

        const QImage before = shown.display.grab(shown.window);
        const qsizetype requestsBefore = shown.board.received().size();
        const int last = screen::settledColumn(requestsBefore);
        askToClose(shown, how);
        const WindowId question = shown.display.waitForWindow(shown.recorder.pid(), kQuestionTitle, kPatienceMs);
        QVERIFY2(question != 0, "no question came up");
        const QString questionTitle = shown.display.title(question);
        QTest::qWait(kQuestionShownMs);
        shown.display.pressKey(question, "Escape");
        QVERIFY2(shown.display.waitUntilUnmapped(shown.recorder.pid(), question, kPatienceMs), "the question stayed");
        QVERIFY(shown.board.waitForReceived(shown.board.received().size() + 50, kPatienceMs));

        QVERIFY(shown.recorder.isRunning());
        QVERIFY(shown.display.windowsOf(shown.recorder.pid()).contains(shown.window));
        // The channel index went on from where it was, and so did the ticks.
        const QList<LoggedByte> bytes = shown.board.received();
        const qsizetype broken = firstOutOfCycle(bytes);
        QVERIFY2(broken < 0, qPrintable(describeBytes(bytes, broken)));
        const RequestPeriods periods = requestPeriods(bytes, bytes[requestsBefore - 1].seconds);
        qInfo("around the question: %lld requests, mean period %.2f ms, longest gap %.1f ms",
              static_cast<long long>(periods.count), periods.meanMs, periods.longestMs);
        QVERIFY2(periods.longestMs < kLongestGapMs, qPrintable(QStringLiteral("gap %1 ms").arg(periods.longestMs)));
        // Nothing was cleared.
        const QImage after = shown.display.grab(shown.window);
        for (int chart = 0; chart < 4; ++chart) {
            const QList<int> traced = screen::traceColumns(before, chart, kReadings[chart], kFirstColumn, last);
            QVERIFY(!traced.isEmpty());
            QCOMPARE(screen::traceColumns(after, chart, kReadings[chart], kFirstColumn, last), traced);
        }
        QCOMPARE(questionTitle, kQuestionTitle);
        VERIFY_NO_SANITIZER_REPORT(shown.recorder);
    }

    void answeringYesClosesTheLineAndEnds_data() { closeWays(); }
    void answeringYesClosesTheLineAndEnds()
    {
        QFETCH(CloseBy, how);
        ShownRecorder shown;
        const QString problem = shown.start({"--constant", kConstantReadings});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(shown.board.waitForReceived(25, kPatienceMs));

        askToClose(shown, how);
        const WindowId question = shown.display.waitForWindow(shown.recorder.pid(), kQuestionTitle, kPatienceMs);
        QVERIFY2(question != 0, "no question came up");
        shown.display.pressKey(question, "Return");

        QVERIFY2(shown.recorder.waitForExit(kPatienceMs), "still running after Yes");
        QVERIFY(shown.recorder.exitedNormally());
        QCOMPARE(shown.recorder.exitCode(), 0);
        QVERIFY2(shown.board.waitForLastStatus(QStringLiteral("nobody on the line"), kPatienceMs),
                 qPrintable(shown.board.output()));
        QCOMPARE(firstOutOfCycle(shown.board.received()), qsizetype(-1));
        // It left through its normal end, so a sanitizer build has checked for leaks too.
        VERIFY_NO_SANITIZER_REPORT(shown.recorder);
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
