#include "tests/e2e/screen_layout.h"
#include "tests/e2e/shown_recorder.h"

#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
// The first columns hold the start-up stroke up from the bottom edge.
constexpr int kFirstColumn = 2;
constexpr int kColumnsToCheck = 5;
constexpr int kSecondReportWithinMs = 1000;

}  // namespace

// What the real recorder shows on a real X display for what the board sends.
class TstE2eScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !X11Display().isOpen())
            QSKIP("needs an X display (scripts/test.sh provides one)");
    }

    void windowIsTitledWithTheBoardsName()
    {
        ShownRecorder shown;
        const QString problem = shown.start({"--quiet"});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(shown.display.title(shown.window), QStringLiteral("KELVRA(12F683)"));
        VERIFY_NO_SANITIZER_REPORT(shown.recorder);
    }

    void readingsAreTracedInTheirChannelsColoursOnGreen()
    {
        ShownRecorder shown;
        const QString problem = shown.start({"--quiet", "--constant", kConstantReadings});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(shown.board.waitForReceived(150, kPatienceMs));

        // Judged only where the recorder drew nothing but the board's reading; which columns those
        // are depends on the machine's load, so wait for enough of them.
        QImage image;
        int last = 0;
        QList<int> checked[4];
        const bool enough = QTest::qWaitFor(
            [&] {
                last = screen::settledColumn(shown.board.received().size());
                image = shown.display.grab(shown.window);
                const QString said = shown.recorder.errorOutput();
                bool all = true;
                for (int chart = 0; chart < 4; ++chart) {
                    checked[chart] = screen::columnsDrawnOnlyFrom(screen::plottedReadings(said, chart),
                                                                  kReadings[chart], kFirstColumn, last);
                    all = all && checked[chart].size() >= kColumnsToCheck;
                }
                return all;
            },
            kPatienceMs);
        QVERIFY2(enough, "too few replies in time to judge the drawing");
        QVERIFY(!image.isNull());
        for (int chart = 0; chart < 4; ++chart) {
            QList<int> traced;
            QList<int> stray;
            for (const int column : checked[chart]) {
                traced += screen::traceColumns(image, chart, kReadings[chart], column, column);
                stray += screen::strayTraceColumns(image, chart, kReadings[chart], column, column);
            }
            QVERIFY2(traced == checked[chart],
                     qPrintable(QStringLiteral("GP%1: trace at row %2 only in columns %3 of %4")
                                    .arg(chart + 1).arg(screen::traceRow(kReadings[chart]))
                                    .arg(QDebug::toString(traced), QDebug::toString(checked[chart]))));
            QVERIFY2(stray.isEmpty(), qPrintable(QStringLiteral("GP%1: trace colour off its row in columns %2")
                                                     .arg(chart + 1).arg(QDebug::toString(stray))));
        }
        // A tick whose reply came late shows red for that tick alone.
        QVERIFY(QTest::qWaitFor(
            [&] { return screen::shareOf(shown.display.grab(shown.window), screen::kLinkStatus, screen::kGreen) > 0.5; },
            kPatienceMs));
        VERIFY_NO_SANITIZER_REPORT(shown.recorder);
    }

    void silentBoardShowsRedAndDrawsAtZero()
    {
        ShownRecorder shown;
        const QString problem = shown.start({"--quiet", "--fault", "silent"});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(shown.board.waitForReceived(100, kPatienceMs));

        const QImage image = shown.display.grab(shown.window);
        QVERIFY(screen::shareOf(image, screen::kLinkStatus, screen::kRed) > 0.5);
        // Zero lies on the bottom row: no trace colour strays from it.
        const int last = screen::settledColumn(shown.board.received().size());
        for (int chart = 0; chart < 4; ++chart)
            QCOMPARE(screen::strayTraceColumns(image, chart, 0, kFirstColumn, last), QList<int>());
        QVERIFY(shown.recorder.isRunning());
        VERIFY_NO_SANITIZER_REPORT(shown.recorder);
    }

    void hungUpLineShowsRedAndKeepsTheTraces()
    {
        ShownRecorder shown;
        const QString problem = shown.start({"--constant", kConstantReadings, "--fault", "hangup-after:6"});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(shown.board.waitForReceived(90, kPatienceMs));

        // A reply that missed its tick turns the status red for that tick alone.
        int last = 0;
        QImage before;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         last = screen::settledColumn(shown.board.received().size());
                         before = shown.display.grab(shown.window);
                         return screen::shareOf(before, screen::kLinkStatus, screen::kGreen) > 0.5;
                     },
                     kPatienceMs),
                 "the line hung up before the recorder was seen drawing; a slow start?");
        QList<int> tracedBefore[4];
        for (int chart = 0; chart < 4; ++chart) {
            tracedBefore[chart] = screen::traceColumns(before, chart, kReadings[chart], kFirstColumn, last);
            QVERIFY(!tracedBefore[chart].isEmpty());
        }

        QVERIFY(shown.board.waitForLastStatus(QStringLiteral("line hung up"), kPatienceMs));
        QImage after;
        QVERIFY(QTest::qWaitFor(
            [&] {
                after = shown.display.grab(shown.window);
                return screen::shareOf(after, screen::kLinkStatus, screen::kRed) > 0.5;
            },
            kPatienceMs));
        for (int chart = 0; chart < 4; ++chart)
            QCOMPARE(screen::traceColumns(after, chart, kReadings[chart], kFirstColumn, last), tracedBefore[chart]);

        // Told once, in a window of its own that does not stop the recorder: a second report
        // would come on one of the next ticks.
        QVERIFY(QTest::qWaitFor([&] { return shown.display.windowsOf(shown.recorder.pid()).size() == 2; },
                                kPatienceMs));
        QTest::qWait(kSecondReportWithinMs);
        QCOMPARE(shown.display.windowsOf(shown.recorder.pid()).size(), 2);
        QVERIFY(shown.recorder.isRunning());
        VERIFY_NO_SANITIZER_REPORT(shown.recorder);
    }
};

QTEST_GUILESS_MAIN(TstE2eScreen)
#include "tst_e2e_screen.moc"
