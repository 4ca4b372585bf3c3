#include "tools/board_sim/board.h"
#include "tools/board_sim/faults.h"
#include "tools/board_sim/outbox.h"
#include "tools/board_sim/signal_model.h"
#include "tools/board_sim/sim_options.h"

#include <QTest>

using namespace kelvra::boardsim;
using namespace std::chrono_literals;

namespace {

ParsedOptions parse(const QStringList& args)
{
    std::vector<std::string> list;
    for (const QString& a : args)
        list.push_back(a.toStdString());
    return parseOptions(list);
}

struct Write {
    SimClock::time_point at;
    QByteArray bytes;
};

// The writes the outbox asks for before `until`, each when it falls due.
std::vector<Write> writesBefore(Outbox& outbox, SimClock::time_point until)
{
    std::vector<Write> writes;
    for (auto due = outbox.nextDue(); due && *due < until; due = outbox.nextDue()) {
        const std::string_view ready = outbox.ready(*due);
        writes.push_back({*due, QByteArray(ready.data(), static_cast<qsizetype>(ready.size()))});
        outbox.sent(ready.size(), *due);
    }
    return writes;
}

// Everything the outbox would put on the line, each byte taken when it falls due.
QByteArray drain(Outbox& outbox)
{
    QByteArray bytes;
    for (const Write& write : writesBefore(outbox, SimClock::time_point::max()))
        bytes += write.bytes;
    return bytes;
}

Board constantBoard(const Faults& faults, SimClock::time_point start)
{
    return Board(std::make_unique<ConstantSignal>(std::array<long long, 4>{7, 512, 1023, 2046}), faults, 1, start);
}

}  // namespace

class TstBoardSimParts : public QObject {
    Q_OBJECT
private slots:
    void parsesEveryOption()
    {
        const ParsedOptions p = parse({"--link", "/tmp/x", "--seed=42", "--constant", "0,1023,2046,-10",
                                       "--fault", "split", "--fault=late", "--fault", "hangup-after:0.25",
                                       "--fault", "straddle", "--log", "/tmp/log", "--reply-log", "/tmp/replies",
                                       "--quiet"});
        QVERIFY2(p.error.empty(), p.error.c_str());
        QCOMPARE(p.options.link, std::string("/tmp/x"));
        QCOMPARE(p.options.seed, std::optional<std::uint64_t>(42));
        QVERIFY(p.options.constant == (std::array<long long, 4>{0, 1023, 2046, -10}));
        QVERIFY(p.options.faults.split && p.options.faults.late && p.options.faults.straddle);
        QVERIFY(!p.options.faults.silent && !p.options.faults.noise && !p.options.faults.burst);
        QCOMPARE(p.options.faults.hangupAfter, std::optional(250ms));
        QCOMPARE(p.options.logPath, std::string("/tmp/log"));
        QCOMPARE(p.options.replyLogPath, std::string("/tmp/replies"));
        QVERIFY(p.options.quiet);

        const ParsedOptions none = parse({});
        QVERIFY(none.error.empty());
        QCOMPARE(none.options.link, std::string("/tmp/kelvra-board"));
        QVERIFY(!none.options.seed && !none.options.constant && !none.options.eventAfter
                && !none.options.faults.hangupAfter);
        QVERIFY(parse({"-h"}).options.help);
        QCOMPARE(parse({"--event-after=45.5"}).options.eventAfter, std::optional(45.5));
    }

    void rejectsBadInputWithAReason_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown option") << QStringList{"--speed", "9600"} << "unknown option '--speed'";
        QTest::newRow("stray argument") << QStringList{"/dev/ttyUSB9"} << "unexpected argument '/dev/ttyUSB9'";
        QTest::newRow("missing value") << QStringList{"--link"} << "--link needs a value";
        QTest::newRow("empty link") << QStringList{"--link="} << "--link needs a non-empty path";
        QTest::newRow("flag with value") << QStringList{"--quiet=yes"} << "--quiet takes no value";
        QTest::newRow("negative seed") << QStringList{"--seed", "-1"} << "--seed needs a whole number";
        QTest::newRow("seed too big") << QStringList{"--seed", "18446744073709551616"} << "--seed needs a whole number";
        QTest::newRow("three constants") << QStringList{"--constant", "1,2,3"} << "exactly four integers";
        QTest::newRow("five constants") << QStringList{"--constant", "1,2,3,4,5"} << "exactly four integers";
        QTest::newRow("empty constant") << QStringList{"--constant", "1,,3,4"} << "four integers A,B,C,D";
        QTest::newRow("fraction constant") << QStringList{"--constant", "1,2.5,3,4"} << "four integers A,B,C,D";
        QTest::newRow("unknown fault") << QStringList{"--fault", "slow"} << "unknown fault mode 'slow'";
        QTest::newRow("hangup without time") << QStringList{"--fault", "hangup-after"} << "hangup-after needs seconds";
        QTest::newRow("negative hangup") << QStringList{"--fault", "hangup-after:-1"} << "hangup-after needs seconds";
        QTest::newRow("hangup not a number") << QStringList{"--fault", "hangup-after:1.2.3"} << "hangup-after needs seconds";
        QTest::newRow("replug without time") << QStringList{"--fault", "replug-after:"} << "replug-after needs seconds";
        QTest::newRow("negative event time") << QStringList{"--event-after", "-5"} << "--event-after needs seconds";
        QTest::newRow("event on constants") << QStringList{"--constant", "1,2,3,4", "--event-after", "5"}
                                            << "cannot be given with --constant";
    }
    void rejectsBadInputWithAReason()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const ParsedOptions p = parse(args);
        QVERIFY2(QString::fromStdString(p.error).contains(reason), p.error.c_str());
    }

    void seismicSignalRestsAtMidScale_data()
    {
        // Below zero: the random small events.
        QTest::addColumn<double>("eventAt");
        QTest::newRow("small events") << -1.0;
        QTest::newRow("one event at 300.5 s") << 300.5;
    }
    void seismicSignalRestsAtMidScale()
    {
        QFETCH(double, eventAt);
        SeismicSignal signal(12345, eventAt < 0 ? std::nullopt : std::optional(eventAt));
        std::array<int, 4> nearBaseline{};
        std::array<long long, 4> farthest{};
        // The farthest from mid-scale in the chosen event's first second, and away from its coda.
        std::array<long long, 4> atOnset{};
        std::array<long long, 4> awayFromEvent{};
        const int samples = 10 * 60 * 50;  // ten minutes, one reading per channel every 20 ms
        for (int i = 0; i < samples; ++i) {
            const double t = i * 0.02;
            for (int k = 0; k < 4; ++k) {
                const long long r = signal.reading(k, t);
                QVERIFY(r >= 0 && r <= 1023);
                if (std::abs(r - 512) <= 20)
                    ++nearBaseline[k];
                farthest[k] = std::max(farthest[k], std::abs(r - 512));
                auto& part = t >= eventAt && t < eventAt + 1.0 ? atOnset[k] : awayFromEvent[k];
                if (t < eventAt + 1.0 || t >= eventAt + 30.0)
                    part = std::max(part, std::abs(r - 512));
            }
        }
        for (int k = 0; k < 4; ++k) {
            QVERIFY2(nearBaseline[k] > samples * 8 / 10, qPrintable(QString::number(nearBaseline[k])));
            QVERIFY2(farthest[k] > 40, qPrintable(QString::number(farthest[k])));
            if (eventAt >= 0)
                QVERIFY2(atOnset[k] > 150 && farthest[k] < 500 && awayFromEvent[k] < 20,
                         qPrintable(QStringLiteral("%1 %2 %3").arg(atOnset[k]).arg(farthest[k]).arg(awayFromEvent[k])));
        }
        QVERIFY(farthest[0] != farthest[1] || farthest[1] != farthest[2] || farthest[2] != farthest[3]);
    }

    void seismicSignalReplaysFromItsSeed()
    {
        SeismicSignal a(7), b(7), c(8);
        bool differs = false;
        for (int i = 0; i < 3000; ++i) {
            const double t = i * 0.02;
            const long long ra = a.reading(i % 4, t);
            QCOMPARE(b.reading(i % 4, t), ra);
            differs = differs || c.reading(i % 4, t) != ra;
        }
        QVERIFY(differs);
    }

    void shapesRepliesByFault_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("late");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QList<int>>("delaysMs");
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::newRow("healthy") << false << false << false << QList<int>{2} << QByteArrayList{"1023"};
        QTest::newRow("silent") << true << false << false << QList<int>{} << QByteArrayList{};
        QTest::newRow("late") << false << true << false << QList<int>{27} << QByteArrayList{"1023"};
        QTest::newRow("split") << false << false << true << QList<int>{2, 19} << QByteArrayList{"10", "23"};
        QTest::newRow("late and split") << false << true << true << QList<int>{27, 44} << QByteArrayList{"10", "23"};
    }
    void shapesRepliesByFault()
    {
        QFETCH(bool, silent);
        QFETCH(bool, late);
        QFETCH(bool, split);
        QFETCH(QList<int>, delaysMs);
        QFETCH(QByteArrayList, pieces);
        Faults faults;
        faults.silent = silent;
        faults.late = late;
        faults.split = split;
        const auto shaped = ReplyShaper(faults, 1).shape("1023").pieces;
        QCOMPARE(shaped.size(), static_cast<std::size_t>(pieces.size()));
        for (std::size_t i = 0; i < shaped.size(); ++i) {
            QCOMPARE(QByteArray::fromStdString(shaped[i].bytes), pieces[i]);
            // The first character leaves after the 2.1 ms the line needs both ways; the second
            // piece follows the first one's two characters and the 15 ms gap.
            QCOMPARE(std::chrono::duration_cast<std::chrono::milliseconds>(shaped[i].delay).count(), delaysMs[i]);
        }
    }

    void noiseReplacesSomeRepliesWithGarbage()
    {
        Faults faults;
        faults.noise = true;
        ReplyShaper shaper(faults, 99);
        int replaced = 0;
        QByteArray garbage;
        for (int i = 0; i < 2000; ++i) {
            const ShapedReply shaped = shaper.shape("512");
            QCOMPARE(shaped.pieces.size(), std::size_t{1});
            const std::string& bytes = shaped.pieces[0].bytes;
            QCOMPARE(shaped.noise, bytes != "512");
            if (shaped.noise) {
                ++replaced;
                garbage += QByteArray::fromStdString(bytes);
            }
        }
        QVERIFY2(replaced > 40 && replaced < 200, qPrintable(QString::number(replaced)));
        QVERIFY(garbage.contains('\0'));
        QVERIFY(garbage.contains('\xff'));
    }

    void outboxPacesCharactersAndCatchesUp()
    {
        Outbox outbox;
        const SimClock::time_point t0 = SimClock::now();
        outbox.push(t0, "1023");
        outbox.push(t0, "bulk", false);
        QVERIFY(outbox.ready(t0 - 1ms).empty());
        QCOMPARE(outbox.ready(t0), std::string_view("1"));
        outbox.sent(1, t0);
        QVERIFY(outbox.ready(t0).empty());
        QCOMPARE(outbox.nextDue(), std::optional(t0 + kCharTime));
        // A late wake-up sends every character whose slot has passed, never more.
        QCOMPARE(outbox.ready(t0 + 2 * kCharTime), std::string_view("02"));
        outbox.sent(2, t0 + 2 * kCharTime);
        QCOMPARE(outbox.nextDue(), std::optional(t0 + 3 * kCharTime));
        outbox.sent(1, t0 + 3 * kCharTime);
        QCOMPARE(outbox.ready(t0 + 4 * kCharTime), std::string_view("bulk"));
        outbox.sent(2, t0 + 4 * kCharTime);
        QCOMPARE(outbox.ready(t0 + 4 * kCharTime), std::string_view("lk"));
        outbox.sent(2, t0 + 4 * kCharTime);
        QVERIFY(outbox.empty());
        QCOMPARE(outbox.bytesSent(), std::uint64_t{8});
    }

    void boardAnswersRequestsOnly()
    {
        const SimClock::time_point t0 = SimClock::now();
        Board board = constantBoard(Faults{}, t0);
        QByteArray answered;
        for (const char byte : std::string("0\r\n1x2\0" "3\xff" "4", 10)) {
            if (const auto reply = board.receive(byte, t0))
                answered += QByteArray::number(reply->channel) + '=' + QByteArray::fromStdString(reply->reading) + ' ';
        }
        QCOMPARE(answered, QByteArray("0=7 1=512 2=1023 3=2046 "));
        QCOMPARE(board.outbox().nextDue(), std::optional(t0 + kReplyLead));
        QCOMPARE(drain(board.outbox()), QByteArray("751210232046"));
        QCOMPARE(board.counters().requests, std::uint64_t{4});
        QCOMPARE(board.counters().replies, std::uint64_t{4});
        QCOMPARE(board.counters().ignored, std::uint64_t{6});
        QVERIFY(!board.nextWake());
    }

    void chatterFillsOnlyTheGapsBetweenReplies()
    {
        const SimClock::time_point t0 = SimClock::now();
        Faults faults;
        faults.chatty = true;
        Board board = constantBoard(faults, t0);
        board.receive('2', t0);
        board.advance(t0 + 1s);
        QCOMPARE(drain(board.outbox()), QByteArray("1023"));
        QByteArray chatter;
        SimClock::time_point now = t0 + 1s;
        for (int i = 0; i < 20; ++i) {
            QVERIFY(board.nextWake() > now);
            now = *board.nextWake();
            board.advance(now);
            const QByteArray said = drain(board.outbox());
            QVERIFY2(QByteArrayList({"7", "512", "1023", "2046"}).contains(said), said.constData());
            chatter += said;
        }
        QCOMPARE(board.counters().requests, std::uint64_t{1});
        QVERIFY(chatter.contains("512") && chatter.contains("2046"));
    }

    // About half the replies come in their own tick; the rest, whole or their second half, leave in
    // one write the moment the next request arrives, ahead of that request's reply.
    void straddleHoldsRepliesUntilTheNextRequest()
    {
        const SimClock::time_point t0 = SimClock::now();
        Faults faults;
        faults.straddle = true;
        Board board = constantBoard(faults, t0);
        const QByteArrayList readings{"7", "512", "1023", "2046"};
        constexpr int kRequests = 400;
        std::vector<QByteArray> inOwnTick(kRequests), atNextRequest(kRequests);
        for (int i = 0; i < kRequests; ++i) {
            const SimClock::time_point at = t0 + i * 20ms;
            board.receive(static_cast<char>('0' + i % 4), at);
            for (const Write& write : writesBefore(board.outbox(), at + 20ms)) {
                if (write.at == at && i > 0 && atNextRequest[i - 1].isEmpty()) {
                    atNextRequest[i - 1] = write.bytes;
                } else {
                    QVERIFY(write.at >= at + kReplyLead);
                    inOwnTick[i] += write.bytes;
                }
            }
        }
        int whole = 0, tail = 0;
        for (int i = 0; i + 1 < kRequests; ++i) {
            QCOMPARE(inOwnTick[i] + atNextRequest[i], readings[i % 4]);
            whole += inOwnTick[i].isEmpty() ? 1 : 0;
            tail += !inOwnTick[i].isEmpty() && !atNextRequest[i].isEmpty() ? 1 : 0;
        }
        QVERIFY2(whole > 60 && whole < 140 && tail > 60 && tail < 140,
                 qPrintable(QStringLiteral("%1 whole, %2 tails").arg(whole).arg(tail)));
    }

    void burstComesOnceAfterTheFirstRequest()
    {
        const SimClock::time_point t0 = SimClock::now();
        Faults faults;
        faults.burst = true;
        Board board = constantBoard(faults, t0);
        board.advance(t0 + 1s);
        QVERIFY(board.outbox().empty());
        board.receive('0', t0 + 1s);
        QCOMPARE(drain(board.outbox()), QByteArray("7"));
        QVERIFY(board.nextWake() > t0 + 1s);
        board.advance(*board.nextWake());
        const QByteArray burst = drain(board.outbox());
        QCOMPARE(burst.size(), qsizetype{64 * 1024});
        for (const char c : burst)
            QVERIFY((c >= '0' && c <= '9') || c == '\r' || c == '\n');
        QVERIFY(burst.contains("\r\n"));
        board.receive('1', t0 + 1h);
        board.advance(t0 + 1h);
        QCOMPARE(drain(board.outbox()), QByteArray("512"));
    }
};

QTEST_GUILESS_MAIN(TstBoardSimParts)
#include "tst_board_sim_parts.moc"
