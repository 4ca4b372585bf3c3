#include "link/posix_serial_link.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <optional>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using kelvra::LinkError;
using kelvra::PosixSerialLink;

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
    // What the line holds for the link, unread.
    int waiting() const
    {
        int count = 0;
        ::ioctl(slave_, FIONREAD, &count);
        return count;
    }
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

// Drops root's rights for a while, so that a permission check applies to the test too.
class WithoutRootRights {
public:
    WithoutRootRights() : wasRoot_(::geteuid() == 0) { dropped_ = wasRoot_ && ::seteuid(kNobody) == 0; }
    ~WithoutRootRights()
    {
        if (dropped_ && ::seteuid(0) != 0)
            qFatal("cannot take root's rights back");
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;
    bool effective() const { return !wasRoot_ || dropped_; }

private:
    static constexpr uid_t kNobody = 65534;
    bool wasRoot_;
    bool dropped_ = false;
};

}  // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void init();
    void namesDeviceByPortNumber();
    void rejectsBadConfiguration();
    void opensWithLineSettings_data();
    void opensWithLineSettings();
    void sendsRequestAsOneByte();
    void receivesEveryByte();
    void tellsWhatCameInBeforeTheReplyCouldBegin();
    void inputLenLimitsEachRead();
    void inputReturnsAtOnceWhenNothingWaits();
    void reportsVanishedDeviceOnce();
    void namesWhyOpenFails_data();
    void namesWhyOpenFails();
    void keepsOutOpenersThatDoNotLock();
    void unopenedLinkRefusesInputAndOutput();

private:
    std::unique_ptr<PseudoTerminal> pty_;
};

void TestSerialLink::init()
{
    pty_ = std::make_unique<PseudoTerminal>();
    QVERIFY2(!pty_->path().isEmpty(), "no pseudo-terminal");
}

void TestSerialLink::namesDeviceByPortNumber()
{
    PosixSerialLink link;
    QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyS0"));
    link.setCommPort(3);
    QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyS2"));

    PosixSerialLink overridden(pty_->path());
    overridden.setCommPort(3);
    QCOMPARE(overridden.deviceName(), pty_->path());
}

void TestSerialLink::rejectsBadConfiguration()
{
    PosixSerialLink link(pty_->path());
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

void TestSerialLink::opensWithLineSettings_data()
{
    // A pseudo-terminal keeps only speed and stop bits; it forces eight data bits without parity.
    QTest::addColumn<QString>("settings");
    QTest::addColumn<speed_t>("speed");
    QTest::addColumn<bool>("twoStopBits");
    QTest::newRow("recorder") << "9600,n,8,1" << speed_t(B9600) << false;
    QTest::newRow("other") << "19200,n,8,2" << speed_t(B19200) << true;
}

void TestSerialLink::opensWithLineSettings()
{
    QFETCH(QString, settings);
    PosixSerialLink link(pty_->path());
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

void TestSerialLink::sendsRequestAsOneByte()
{
    PosixSerialLink link(pty_->path());
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

void TestSerialLink::receivesEveryByte()
{
    PosixSerialLink link(pty_->path());
    link.setPortOpen(true);
    link.setInputLen(0);
    const QByteArray reply("512\0\xff" "1023", 9);
    pty_->send(reply);

    QString received;
    QTRY_COMPARE(received += link.input(), QString::fromLatin1(reply));
}

void TestSerialLink::tellsWhatCameInBeforeTheReplyCouldBegin()
{
    PosixSerialLink link(pty_->path());
    link.setPortOpen(true);
    link.setInputLen(0);
    pty_->send("10");
    QTRY_COMPARE(pty_->waiting(), 2);
    link.output(QStringLiteral("1"));
    // Two characters at 9600 baud after the write, the reply may have begun: what comes now is its own.
    QDeadlineTimer replyMayHaveBegun(std::chrono::microseconds(2500));
    while (!replyMayHaveBegun.hasExpired())
        QTest::qWait(1);
    pty_->send("23");
    QTRY_COMPARE(pty_->waiting(), 4);

    QCOMPARE(link.input(), QStringLiteral("1023"));
    QCOMPARE(link.inputBeforeReply(), 2);
    QCOMPARE(link.input(), QString());
    QCOMPARE(link.inputBeforeReply(), 0);
}

void TestSerialLink::inputLenLimitsEachRead()
{
    PosixSerialLink link(pty_->path());
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

void TestSerialLink::inputReturnsAtOnceWhenNothingWaits()
{
    PosixSerialLink link(pty_->path());
    link.setPortOpen(true);
    QCOMPARE(link.input(), QString());
    pty_->send("7");
    // QTRY_COMPARE evaluates once more after success, so the reads are accumulated.
    QString received;
    QTRY_COMPARE(received += link.input(), QStringLiteral("7"));
    QCOMPARE(link.input(), QString());
}

void TestSerialLink::reportsVanishedDeviceOnce()
{
    PosixSerialLink link(pty_->path());
    link.setPortOpen(true);
    pty_->closeMaster();

    // Found on the next read, by the tick, and then the same failure every time without a retry.
    for (int call = 0; call < 2; ++call) {
        try {
            link.input();
            QFAIL("input() after the far side vanished");
        } catch (const LinkError& e) {
            QCOMPARE(e.device(), pty_->path());
            QCOMPARE(e.description(), QStringLiteral("The device is no longer available"));
        }
        QVERIFY(!link.portOpen());
    }
    try {
        link.output(QStringLiteral("0"));
        QFAIL("output() after the far side vanished");
    } catch (const LinkError& e) {
        QCOMPARE(e.description(), QStringLiteral("The device is no longer available"));
    }
}

void TestSerialLink::namesWhyOpenFails_data()
{
    // DIR stands for a private temporary folder, PTY for a pseudo-terminal another link holds.
    QTest::addColumn<QString>("device");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("empty") << "" << QStringList{"No device name"};
    QTest::newRow("blank") << "  " << QStringList{"No device name"};
    QTest::newRow("missing") << "DIR/ttyMissing" << QStringList{"does not exist"};
    QTest::newRow("name too long") << "/dev/" + QString(5000, u'x') << QStringList{"too long", "5005 characters"};
    QTest::newRow("no permission") << "DIR/ttyLocked" << QStringList{"No permission", "dialout"};
    QTest::newRow("not a terminal") << "DIR/plain" << QStringList{"not a serial device"};
    const QString self = QStringLiteral("(process %1)").arg(QCoreApplication::applicationPid());
    QTest::newRow("in use") << "PTY" << QStringList{"in use by", self};
}

void TestSerialLink::namesWhyOpenFails()
{
    QFETCH(QString, device);
    QFETCH(QStringList, said);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* name : {"ttyLocked", "plain"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("ttyLocked")), {}));
    device.replace(QStringLiteral("DIR"), dir.path()).replace(QStringLiteral("PTY"), pty_->path());
    std::optional<PosixSerialLink> holder;
    if (device == pty_->path()) {
        holder.emplace(device);
        holder->setPortOpen(true);
    }

    PosixSerialLink link(device);
    // A blank name taken for no name at all would open the first serial port.
    QCOMPARE(link.deviceName(), device);
    std::optional<WithoutRootRights> unprivileged;
    if (device.endsWith(u"ttyLocked"))
        QVERIFY(unprivileged.emplace().effective());
    try {
        link.setPortOpen(true);
        QFAIL("opened");
    } catch (const LinkError& e) {
        for (const QString& words : said)
            QVERIFY2(e.description().contains(words), qPrintable(e.description()));
    }
    QVERIFY(!link.portOpen());
}

void TestSerialLink::keepsOutOpenersThatDoNotLock()
{
    PosixSerialLink link(pty_->path());
    link.setPortOpen(true);
    // A terminal program or a modem manager, as an ordinary user: root would pass the exclusion.
    const QByteArray path = QFile::encodeName(pty_->path());
    QCOMPARE(::chmod(path.constData(), 0666), 0);
    WithoutRootRights unprivileged;
    QVERIFY(unprivileged.effective());
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    QCOMPARE(fd, -1);
    QCOMPARE(error, EBUSY);
}

void TestSerialLink::unopenedLinkRefusesInputAndOutput()
{
    PosixSerialLink link(pty_->path());
    QVERIFY_THROWS_EXCEPTION(LinkError, link.input());
    QVERIFY_THROWS_EXCEPTION(LinkError, link.output(QStringLiteral("0")));
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_serial_link.moc"
