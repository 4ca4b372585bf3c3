#include "tests/e2e/screen_layout.h"
#include "tests/e2e/shown_recorder.h"

#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
// The first columns hold the start-up stroke up from the bottom edge.
constexpr int kFirstColumn = 2;

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

        const int last = screen::settledColumn(shown.board.received().size());
        const QImage image = shown.display.grab(shown.window);
        QVERIFY(!image.isNull());
        for (int chart = 0; chart < 4; ++chart) {
            const QList<int> traced = screen::traceColumns(image, chart, kReadings[chart], kFirstColumn, last);
            QVERIFY2(traced.size() == last - kFirstColumn + 1,
                     qPrintable(QStringLiteral("GP%1: trace at row %2 only in columns %3 of %4..%5")
                                    .arg(chart + 1).arg(screen::traceRow(kReadings[chart]))
                                    .arg(QDebug::toString(traced)).arg(kFirstColumn).arg(last)));
            const QList<int> stray = screen::strayTraceColumns(image, chart, kReadings[chart], kFirstColumn, last);
            QVERIFY2(stray.isEmpty(), qPrintable(QStringLiteral("GP%1: trace colour off its row in columns %2")
                                                     .arg(chart + 1).arg(QDebug::toString(stray))));
        }
        QVERIFY(screen::shareOf(image, screen::kLinkStatus, screen::kGreen) > 0.5);
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

        const int last = screen::settledColumn(shown.board.received().size());
        const QImage before = shown.display.grab(shown.window);
        QVERIFY2(screen::shareOf(before, screen::kLinkStatus, screen::kGreen) > 0.5,
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

        // Told once, in a window of its own that does not stop the recorder.
        QTest::qWait(1000);
        QCOMPARE(shown.display.windowsOf(shown.recorder.pid()).size(), 2);
        const double cpu = cpuPercentOver(shown.recorder, 2000);
        qInfo("after the hang-up: CPU %.1f %% of one core", cpu);
        QVERIFY(shown.recorder.isRunning());
        QVERIFY(cpu >= 0.0 && cpu < 50.0);
        VERIFY_NO_SANITIZER_REPORT(shown.recorder);
    }
};

QTEST_GUILESS_MAIN(TstE2eScreen)
#include "tst_e2e_screen.moc"
