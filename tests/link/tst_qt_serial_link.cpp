#include "link/qt_serial_link.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

using kelvra::LinkError;
using kelvra::QtSerialLink;

namespace {

// A pseudo-terminal: the link opens the slave by its path, the test plays the board on the master.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0) {
            ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
            path_ = QString::fromLocal8Bit(name);
        }
    }
    ~PseudoTerminal()
    {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const QString& path() const { return path_; }
    termios slaveTermios() const
    {
        termios attributes{};
        ::tcgetattr(slave_, &attributes);
        return attributes;
    }
    void send(const QByteArray& bytes) { QCOMPARE(::write(master_, bytes.data(), bytes.size()), bytes.size()); }
    QByteArray drain()
    {
        QByteArray bytes;
        char chunk[256];
        ssize_t n;
        while ((n = ::read(master_, chunk, sizeof chunk)) > 0)
            bytes.append(chunk, n);
        return bytes;
    }
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
};

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void runEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

class TestQtSerialLink : public QObject {
    Q_OBJECT

private slots:
    void init();
    void namesDeviceByPortNumber();
    void rejectsBadConfiguration();
    void opensWithLineSettings_data();
    void opensWithLineSettings();
    void sendsRequestAsOneByte();
    void receivesEveryByte();
    void inputLenLimitsEachRead();
    void inputReturnsAtOnceWhenNothingWaits();
    void closesOnceWhenFarSideVanishes();
    void missingDeviceFailsToOpen();
    void unopenedLinkRefusesInputAndOutput();

private:
    std::unique_ptr<PseudoTerminal> pty_;
};

void TestQtSerialLink::init()
{
    pty_ = std::make_unique<PseudoTerminal>();
    QVERIFY2(!pty_->path().isEmpty(), "no pseudo-terminal");
}

void TestQtSerialLink::namesDeviceByPortNumber()
{
    QtSerialLink link;
    QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyS0"));
    link.setCommPort(3);
    QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyS2"));

    QtSerialLink overridden(pty_->path());
    overridden.setCommPort(3);
    QCOMPARE(overridden.deviceName(), pty_->path());
}

void TestQtSerialLink::rejectsBadConfiguration()
{
    QtSerialLink link(pty_->path());
    QVERIFY_THROWS_EXCEPTION(LinkError, link.setCommPort(0));
    QVERIFY_THROWS_EXCEPTION(LinkError, link.setInputLen(-1));
    try {
        link.setSettings(QStringLiteral("9600,n,9,1"));
        QFAIL("accepted nine data bits");
    } catch (const LinkError& e) {
        QCOMPARE(e.device(), pty_->path());
        QVERIFY2(e.description().contains(u"\"9600,n,9,1\""), qPrintable(e.description()));
    }
}

void TestQtSerialLink::opensWithLineSettings_data()
{
    // A pseudo-terminal keeps only speed and stop bits; it forces eight data bits without parity.
    QTest::addColumn<QString>("settings");
    QTest::addColumn<speed_t>("speed");
    QTest::addColumn<bool>("twoStopBits");
    QTest::newRow("recorder") << "9600,n,8,1" << speed_t(B9600) << false;
    QTest::newRow("other") << "19200,n,8,2" << speed_t(B19200) << true;
}

void TestQtSerialLink::opensWithLineSettings()
{
    QFETCH(QString, settings);
    QtSerialLink link(pty_->path());
    link.setSettings(settings);
    link.setPortOpen(true);
    QVERIFY(link.portOpen());

    const termios attributes = pty_->slaveTermios();
    QTEST(cfgetospeed(&attributes), "speed");
    QTEST(cfgetispeed(&attributes), "speed");
    QCOMPARE(attributes.c_cflag & CSIZE, tcflag_t(CS8));
    QVERIFY(!(attributes.c_cflag & PARENB));
    QTEST(bool(attributes.c_cflag & CSTOPB), "twoStopBits");
    QVERIFY(!(attributes.c_cflag & CRTSCTS));
    QVERIFY(!(attributes.c_iflag & (IXON | IXOFF)));

    link.setPortOpen(false);
    QVERIFY(!link.portOpen());
    link.setPortOpen(false);
    QVERIFY_THROWS_EXCEPTION(LinkError, link.input());
}

void TestQtSerialLink::sendsRequestAsOneByte()
{
    QtSerialLink link(pty_->path());
    link.setSettings(QStringLiteral("9600,n,8,1"));
    link.setPortOpen(true);
    link.output(kelvra::requestFor(2));

    QByteArray received;
    QTRY_VERIFY(!(received += pty_->drain()).isEmpty());
    // Anything sent after the request would have followed it by now.
    QTest::qWait(50);
    received += pty_->drain();
    QCOMPARE(received, QByteArray("2"));
}

void TestQtSerialLink::receivesEveryByte()
{
    QtSerialLink link(pty_->path());
    link.setPortOpen(true);
    link.setInputLen(0);
    const QByteArray reply("512\0\xff" "1023", 9);
    pty_->send(reply);

    QString received;
    QTRY_COMPARE(received += link.input(), QString::fromLatin1(reply));
}

void TestQtSerialLink::inputLenLimitsEachRead()
{
    QtSerialLink link(pty_->path());
    link.setPortOpen(true);
    link.setInputLen(2);
    pty_->send("1023");

    QStringList pieces;
    for (QDeadlineTimer deadline(5000); pieces.join(QString()).size() < 4 && !deadline.hasExpired();) {
        QTest::qWait(5);
        if (const QString piece = link.input(); !piece.isEmpty())
            pieces << piece;
    }
    QCOMPARE(pieces.join(QString()), QStringLiteral("1023"));
    for (const QString& piece : pieces)
        QVERIFY2(piece.size() <= 2, qPrintable(piece));
}

void TestQtSerialLink::inputReturnsAtOnceWhenNothingWaits()
{
    QtSerialLink link(pty_->path());
    link.setPortOpen(true);
    QCOMPARE(link.input(), QString());
    pty_->send("7");
    // QTRY_COMPARE evaluates once more after success, so the reads are accumulated.
    QString received;
    QTRY_COMPARE(received += link.input(), QStringLiteral("7"));
    QCOMPARE(link.input(), QString());
}

void TestQtSerialLink::closesOnceWhenFarSideVanishes()
{
    QtSerialLink link(pty_->path());
    link.setPortOpen(true);
    pty_->closeMaster();

    // Nobody reads meanwhile: the failure must still be noticed, and once, not in a busy loop.
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds();
    runEventLoop(300);
    const double cpu = cpuSeconds() - cpuBefore;
    QVERIFY2(cpu < 0.5 * wall.elapsed() / 1000.0, qPrintable(QStringLiteral("busy: %1 s of CPU").arg(cpu)));
    QVERIFY(!link.portOpen());

    QString description;
    for (int call = 0; call < 2; ++call) {
        try {
            link.input();
            QFAIL("input() after the far side vanished");
        } catch (const LinkError& e) {
            QCOMPARE(e.device(), pty_->path());
            QVERIFY(!e.description().isEmpty());
            QVERIFY(description.isEmpty() || description == e.description());
            description = e.description();
        }
    }
    try {
        link.output(QStringLiteral("0"));
        QFAIL("output() after the far side vanished");
    } catch (const LinkError& e) {
        QCOMPARE(e.description(), description);
    }
}

void TestQtSerialLink::missingDeviceFailsToOpen()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("ttyMissing"));
    QtSerialLink link(missing);
    try {
        link.setPortOpen(true);
        QFAIL("opened a missing device");
    } catch (const LinkError& e) {
        QCOMPARE(e.device(), missing);
        QVERIFY(!e.description().isEmpty());
    }
    QVERIFY(!link.portOpen());
}

void TestQtSerialLink::unopenedLinkRefusesInputAndOutput()
{
    QtSerialLink link(pty_->path());
    QVERIFY_THROWS_EXCEPTION(LinkError, link.input());
    QVERIFY_THROWS_EXCEPTION(LinkError, link.output(QStringLiteral("0")));
}

QTEST_GUILESS_MAIN(TestQtSerialLink)
#include "tst_qt_serial_link.moc"
