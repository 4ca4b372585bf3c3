#include "tests/support/child_process.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kPatienceMs = 5000;
// Long enough for a stray line end to show up after a reply at 9600 baud.
constexpr int kQuietWindowMs = 80;

// The simulator in its own folder, so tests can run side by side.
class Sim {
public:
    ~Sim()
    {
        // SIGTERM lets it remove its link; SIGKILL only if it does not end.
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(kPatienceMs))
                process.kill();
            process.waitForFinished(kPatienceMs);
        }
    }

    bool start(const QStringList& args)
    {
        kelvra::test::endWithThisProcess(process);
        process.setProgram(QStringLiteral(KELVRA_BOARD_SIM));
        process.setArguments(QStringList{"--link", link()} + args);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        return process.waitForStarted(kPatienceMs)
            && QTest::qWaitFor([this] { return QFileInfo(link()).isSymLink(); }, kPatienceMs);
    }

    QString link() const { return dir.filePath("board"); }

    QTemporaryDir dir;
    QProcess process;
};

// The client's end of the line, opened and set raw as a serial program would.
class Slave {
public:
    explicit Slave(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio{};
        if (fd_ >= 0 && tcgetattr(fd_, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Slave()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    bool isOpen() const { return fd_ >= 0; }
    bool send(const QByteArray& bytes) { return ::write(fd_, bytes.constData(), bytes.size()) == bytes.size(); }

    // Reads until `count` bytes came, the time is up, or the line hung up.
    QByteArray read(qsizetype count, int withinMs)
    {
        QByteArray bytes;
        QElapsedTimer timer;
        timer.start();
        while (bytes.size() < count && !hungUp_ && timer.elapsed() < withinMs) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(withinMs - timer.elapsed())) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0)
                bytes.append(buffer, n);
            hungUp_ = n == 0 || (n < 0 && errno == EIO) || (p.revents & POLLHUP);
        }
        return bytes;
    }
    QByteArray readAll(int forMs) { return read(std::numeric_limits<qsizetype>::max(), forMs); }
    bool hungUp() const { return hungUp_; }

private:
    int fd_;
    bool hungUp_ = false;
};

}  // namespace

class TstBoardSimLine : public QObject {
    Q_OBJECT
private slots:
    void answersEachChannelWithItsReadingAlone_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::newRow("healthy") << QStringList{};
        QTest::newRow("split") << QStringList{"--fault", "split"};
        QTest::newRow("late") << QStringList{"--fault", "late"};
    }
    void answersEachChannelWithItsReadingAlone()
    {
        QFETCH(QStringList, faults);
        Sim sim;
        QVERIFY(sim.start(QStringList{"--quiet", "--constant", "0,1023,2046,-10"} + faults));
        Slave slave(sim.link());
        QVERIFY(slave.isOpen());
        const QByteArrayList expected{"0", "1023", "2046", "-10"};
        for (int channel : {2, 0, 3, 1}) {
            QVERIFY(slave.send(QByteArray::number(channel)));
            QCOMPARE(slave.read(expected[channel].size(), kPatienceMs), expected[channel]);
            QCOMPARE(slave.readAll(kQuietWindowMs), QByteArray());
        }
    }

    void ignoresOtherBytes()
    {
        Sim sim;
        QVERIFY(sim.start({"--quiet", "--constant", "11,22,33,44"}));
        Slave slave(sim.link());
        QVERIFY(slave.send(QByteArray("4a\r\n\0\xff /", 9)));
        QCOMPARE(slave.readAll(kQuietWindowMs), QByteArray());
        QVERIFY(slave.send("1"));
        QCOMPARE(slave.read(2, kPatienceMs), QByteArray("22"));
    }

    void silentFaultNeverAnswers()
    {
        Sim sim;
        QVERIFY(sim.start({"--quiet", "--fault", "silent"}));
        Slave slave(sim.link());
        QVERIFY(slave.send("0123"));
        QCOMPARE(slave.readAll(150), QByteArray());
    }

    void burstArrivesWholeThroughAFullLine()
    {
        Sim sim;
        QVERIFY(sim.start({"--quiet", "--constant", "5,5,5,5", "--fault", "burst"}));
        Slave slave(sim.link());
        QVERIFY(slave.send("0"));
        const QByteArray bytes = slave.read(1 + 64 * 1024, kPatienceMs);
        QCOMPARE(bytes.size(), qsizetype{1 + 64 * 1024});
        QCOMPARE(bytes.at(0), '5');
        QCOMPARE(bytes.count("\r\n") > 1000, true);
    }

    void hangupFaultClosesTheLineButKeepsRunning()
    {
        Sim sim;
        QVERIFY(sim.start({"--quiet", "--constant", "1,2,3,4", "--fault", "hangup-after:0.3"}));
        Slave slave(sim.link());
        QVERIFY(slave.send("3"));
        QCOMPARE(slave.read(1, kPatienceMs), QByteArray("4"));
        slave.readAll(kPatienceMs);
        QVERIFY(slave.hungUp());
        QCOMPARE(sim.process.state(), QProcess::Running);
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(kPatienceMs));
        QCOMPARE(sim.process.exitCode(), 0);
        QVERIFY(!QFileInfo(sim.link()).isSymLink());
    }

    // The reply log has a line for each request, stamped like the request's byte.
    void logsRecordEveryReceivedByteAndEveryReply()
    {
        Sim sim;
        const QString logPath = sim.dir.filePath("rx.log");
        const QString replyLogPath = sim.dir.filePath("replies.log");
        QVERIFY(sim.start({"--quiet", "--constant", "11,22,33,44", "--log", logPath, "--reply-log", replyLogPath}));
        Slave slave(sim.link());
        const QByteArray sent("0\0\xff z3", 6);
        QVERIFY(slave.send(sent));
        const auto linesOf = [](const QString& path) {
            QFile log(path);
            return log.open(QIODevice::ReadOnly) ? QString::fromLatin1(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                                 : QStringList();
        };
        QStringList lines, replies;
        QVERIFY(QTest::qWaitFor([&] {
            lines = linesOf(logPath);
            replies = linesOf(replyLogPath);
            return lines.size() >= sent.size() && replies.size() >= 2;
        }, kPatienceMs));
        QCOMPARE(lines.size(), sent.size());
        double previous = 0.0;
        for (int i = 0; i < sent.size(); ++i) {
            const QStringList fields = lines[i].split(' ');
            QVERIFY2(fields.size() >= 2, qPrintable(lines[i]));
            QVERIFY(fields[0].toDouble() >= previous);
            previous = fields[0].toDouble();
            QCOMPARE(fields[1].toInt(nullptr, 16), int(static_cast<unsigned char>(sent[i])));
        }
        QCOMPARE(lines[5].section(' ', 2), QString("'3'"));
        QCOMPARE(lines[1].section(' ', 2), QString());
        QCOMPARE(replies, QStringList({lines[0].section(' ', 0, 0) + " 0 11", lines[5].section(' ', 0, 0) + " 3 44"}));
    }

    void stopsCleanlyOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void stopsCleanlyOnSignal()
    {
        QFETCH(int, signal);
        Sim sim;
        QVERIFY(sim.start({}));
        {
            Slave slave(sim.link());
            QVERIFY(slave.send("0"));
            QVERIFY(!slave.read(1, kPatienceMs).isEmpty());
        }
        QCOMPARE(::kill(static_cast<pid_t>(sim.process.processId()), signal), 0);
        QVERIFY(sim.process.waitForFinished(kPatienceMs));
        QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process.exitCode(), 0);
        QVERIFY(!QFileInfo(sim.link()).isSymLink());
        QVERIFY(sim.process.readAllStandardOutput().contains("requests"));
    }

    void replacesAStaleSymlinkButNotAFile()
    {
        Sim stale;
        QVERIFY(QFile::link(stale.dir.filePath("gone"), stale.link()));
        QVERIFY(stale.start({"--quiet"}));
        QVERIFY(QTest::qWaitFor([&] { return QFileInfo(stale.link()).symLinkTarget().startsWith("/dev/"); },
                                kPatienceMs));

        Sim clobber;
        QFile file(clobber.link());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();
        clobber.process.setProgram(QStringLiteral(KELVRA_BOARD_SIM));
        clobber.process.setArguments({"--link", clobber.link()});
        clobber.process.start();
        QVERIFY(clobber.process.waitForFinished(kPatienceMs));
        QVERIFY(clobber.process.exitCode() != 0);
        QVERIFY(clobber.process.readAllStandardError().contains("refusing"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
    }
};

QTEST_GUILESS_MAIN(TstBoardSimLine)
#include "tst_board_sim_line.moc"
