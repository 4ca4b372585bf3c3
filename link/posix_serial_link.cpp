#include "link/posix_serial_link.h"

#include "link/device_holders.h"
#include "link/link_messages.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace kelvra {
namespace {

QString systemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

speed_t speedFor(const QString& device, int baudRate)
{
    struct Rate {
        int baud;
        speed_t speed;
    };
    static constexpr Rate kRates[] = {
        {50, B50},       {75, B75},       {110, B110},       {134, B134},       {150, B150},
        {200, B200},     {300, B300},     {600, B600},       {1200, B1200},     {1800, B1800},
        {2400, B2400},   {4800, B4800},   {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400},
#ifdef B460800
        {460800, B460800},
#endif
#ifdef B921600
        {921600, B921600},
#endif
    };
    const auto* rate = std::find_if(std::begin(kRates), std::end(kRates), [&](Rate r) { return r.baud == baudRate; });
    if (rate == std::end(kRates))
        throw LinkError(device, linkText::unsupportedBaudRate(baudRate));
    return rate->speed;
}

tcflag_t controlFlagsFor(const QString& device, const LineSettings& settings)
{
    static constexpr tcflag_t kDataBits[] = {CS5, CS6, CS7, CS8};
    tcflag_t flags = CLOCAL | CREAD | kDataBits[settings.dataBits - QSerialPort::Data5];
    if (settings.stopBits == QSerialPort::OneAndHalfStop)
        throw LinkError(device, linkText::unsupportedStopBits());
    if (settings.stopBits == QSerialPort::TwoStop)
        flags |= CSTOPB;
    switch (settings.parity) {
    case QSerialPort::NoParity:
        break;
    case QSerialPort::EvenParity:
        flags |= PARENB;
        break;
    case QSerialPort::OddParity:
        flags |= PARENB | PARODD;
        break;
#ifdef CMSPAR
    case QSerialPort::MarkParity:
        flags |= PARENB | PARODD | CMSPAR;
        break;
    case QSerialPort::SpaceParity:
        flags |= PARENB | CMSPAR;
        break;
#endif
    default:
        throw LinkError(device, linkText::unsupportedParity());
    }
    return flags;
}

QString describeOpenError(int error, const QString& device, const QByteArray& path, bool nameHolders)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return linkText::deviceMissing();
    case ENAMETOOLONG:
        return linkText::nameTooLong(device.size());
    case EACCES:
    case EPERM:
        return linkText::noPermission();
    case EBUSY:
        // Refused by TIOCEXCL: whoever has it open.
        return linkText::inUse(nameHolders ? openersOf(path) : QStringList());
    default:
        return linkText::cannotOpen(systemText(error));
    }
}

// Closes the descriptor unless it is released.
class OwnedFd {
public:
    explicit OwnedFd(int fd) : fd_(fd) {}
    ~OwnedFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

}  // namespace

PosixSerialLink::PosixSerialLink(std::optional<QString> deviceOverride) : choice_(std::move(deviceOverride)) {}

PosixSerialLink::~PosixSerialLink() { close(); }

void PosixSerialLink::setCommPort(int port) { choice_.setCommPort(port); }

void PosixSerialLink::setSettings(const QString& text) { choice_.setSettings(text); }

void PosixSerialLink::setPortOpen(bool open)
{
    if (open == portOpen())
        return;
    if (open)
        this->open();
    else
        close();
}

void PosixSerialLink::open(Holders holders)
{
    const bool nameHolders = holders == Holders::Named;
    const QString device = choice_.deviceToOpen();
    const speed_t speed = speedFor(device, choice_.settings().baudRate);
    const tcflag_t controlFlags = controlFlagsFor(device, choice_.settings());

    const QByteArray path = QFile::encodeName(device);
    // Non-blocking also keeps the open from waiting for a modem's carrier.
    OwnedFd fd(::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        throw LinkError(device, describeOpenError(error, device, path, nameHolders));
    }
    if (!::isatty(fd.get()))
        throw LinkError(device, linkText::notASerialDevice());
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error != EWOULDBLOCK)
            throw LinkError(device, linkText::cannotOpen(systemText(error)));
        ::close(fd.release());
        throw LinkError(device, linkText::inUse(nameHolders ? lockHoldersOf(path) : QStringList()));
    }
    // Also keeps out openers that do not lock (root gets past it, flock holds for root too).
    ::ioctl(fd.get(), TIOCEXCL);

    termios attributes{};
    if (::tcgetattr(fd.get(), &attributes) != 0) {
        const int error = errno;
        throw LinkError(device, linkText::settingsRefused(systemText(error)));
    }
    ::cfmakeraw(&attributes);
    attributes.c_cflag = controlFlags;
    attributes.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    // With a minimum of 0 an empty read returns 0 like a hung-up line; with 1 and O_NONBLOCK it
    // fails with EAGAIN, and 0 means hung up.
    attributes.c_cc[VMIN] = 1;
    attributes.c_cc[VTIME] = 0;
    if (::cfsetispeed(&attributes, speed) != 0 || ::cfsetospeed(&attributes, speed) != 0 ||
        ::tcsetattr(fd.get(), TCSANOW, &attributes) != 0) {
        const int error = errno;
        ::ioctl(fd.get(), TIOCNXCL);
        throw LinkError(device, linkText::settingsRefused(systemText(error)));
    }
    try {
        // Before its reply can end its first character, a request crosses the line and so does that character.
        arrivals_.start(fd.get(), 2 * choice_.settings().characterTime());
    } catch (const std::system_error& error) {
        ::ioctl(fd.get(), TIOCNXCL);
        throw LinkError(device, linkText::cannotOpen(QString::fromLocal8Bit(error.what())));
    }
    fd_ = fd.release();
    failure_.clear();
}

void PosixSerialLink::close()
{
    if (fd_ < 0)
        return;
    arrivals_.stop();
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool PosixSerialLink::reopen()
{
    if (fd_ >= 0)
        return true;
    try {
        open(Holders::Unnamed);
    } catch (const LinkError&) {
        return false;
    }
    return true;
}

bool PosixSerialLink::portOpen() const { return fd_ >= 0; }

void PosixSerialLink::setInputLen(int length) { choice_.setInputLen(length); }

QString PosixSerialLink::input()
{
    requireOpen();
    QByteArray bytes;
    std::optional<QString> failure;
    inputBeforeReply_ = arrivals_.measureRead([&]() -> qsizetype {
        // A terminal's input buffer holds 4 KiB: one read takes all that waits.
        char chunk[4096];
        const qsizetype limit = choice_.inputLen();
        for (;;) {
            const qsizetype wanted =
                limit > 0 ? std::min<qsizetype>(sizeof chunk, limit - bytes.size()) : sizeof chunk;
            if (wanted == 0)
                break;
            const ssize_t n = ::read(fd_, chunk, static_cast<size_t>(wanted));
            if (n > 0) {
                bytes.append(chunk, n);
                if (n == wanted)
                    continue;
                break;
            }
            const int error = errno;
            if (n < 0 && (error == EAGAIN || error == EWOULDBLOCK))
                break;
            if (n < 0 && error == EINTR)
                continue;
            // A hung-up terminal reads as end of file; a vanished one, or a pseudo-terminal whose
            // far side closed, as EIO.
            failure = n == 0 || error == EIO || error == ENXIO || error == ENODEV
                          ? linkText::deviceGone()
                          : linkText::readFailed(systemText(error));
            break;
        }
        return bytes.size();
    });
    if (failure) {
        inputBeforeReply_ = 0;
        fail(*failure);
        requireOpen();
    }
    // Latin-1 keeps every byte, NUL and 0xFF included, as one character.
    return QString::fromLatin1(bytes);
}

void PosixSerialLink::output(const QString& text)
{
    requireOpen();
    const QByteArray bytes = text.toLatin1();
    const std::int64_t writeStartNs = ArrivalWatch::monotonicNs();
    ssize_t n;
    do
        n = ::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size()));
    while (n < 0 && errno == EINTR);
    if (n > 0)
        arrivals_.requestWritten(writeStartNs);
    // A line that takes nothing now (its output buffer full) loses the request, as a line that
    // drops a byte would: the recorder sees no reply and asks again on a later tick.
    if (n >= 0 || errno == EAGAIN || errno == EWOULDBLOCK)
        return;
    const int error = errno;
    fail(error == EIO || error == ENXIO || error == ENODEV ? linkText::deviceGone(systemText(error))
                                                           : linkText::writeFailed(systemText(error)));
    requireOpen();
}

QString PosixSerialLink::deviceName() const { return choice_.deviceName(); }

void PosixSerialLink::fail(const QString& description)
{
    if (!failure_.isEmpty())
        return;
    failure_ = description;
    close();
}

void PosixSerialLink::requireOpen() const
{
    if (fd_ < 0)
        throw LinkError(deviceName(), failure_.isEmpty() ? linkText::portNotOpen() : failure_);
}

}  // namespace kelvra
