#include "link/qt_serial_link.h"

#include "link/link_messages.h"

#include <utility>

namespace kelvra {

QtSerialLink::QtSerialLink(std::optional<QString> deviceOverride) : deviceOverride_(std::move(deviceOverride))
{
    // A failed port stays open and Qt repeats the error from its notifier at full speed, so the
    // first one ends the line. Modem-line calls a pseudo-terminal refuses are not failures of it.
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError error) {
        // A vanished device reads as end of file, which Qt reports with whatever system error
        // was left over, so that text says nothing here.
        if (error == QSerialPort::ReadError)
            fail(linkText::deviceGone());
        else if (error == QSerialPort::ResourceError)
            fail(linkText::deviceGone(port_.errorString()));
        else if (error == QSerialPort::WriteError)
            fail(linkText::writeFailed(port_.errorString()));
    });
}

void QtSerialLink::setCommPort(int port)
{
    if (port < 1)
        throw LinkError(QStringLiteral("port %1").arg(port), linkText::portNumberTooSmall());
    commPort_ = port;
}

void QtSerialLink::setSettings(const QString& text)
{
    try {
        settings_ = parseLineSettings(text);
    } catch (const LineSettingsError& e) {
        throw LinkError(deviceName(), QString::fromUtf8(e.what()));
    }
}

void QtSerialLink::setPortOpen(bool open)
{
    if (open == port_.isOpen())
        return;
    if (!open) {
        port_.close();
        return;
    }
    if (deviceName().trimmed().isEmpty())
        throw LinkError(u'"' + deviceName() + u'"', linkText::noDeviceName());
    port_.setPortName(deviceName());
    port_.setBaudRate(settings_.baudRate);
    port_.setParity(settings_.parity);
    port_.setDataBits(settings_.dataBits);
    port_.setStopBits(settings_.stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite))
        throw LinkError(deviceName(), port_.errorString());
    failure_.clear();
}

bool QtSerialLink::portOpen() const
{
    return port_.isOpen();
}

void QtSerialLink::setInputLen(int length)
{
    if (length < 0)
        throw LinkError(deviceName(), linkText::negativeInputLength(length));
    inputLen_ = length;
}

QString QtSerialLink::input()
{
    requireOpen();
    // Latin-1 keeps every byte, NUL and 0xFF included, as one character.
    return QString::fromLatin1(inputLen_ > 0 ? port_.read(inputLen_) : port_.readAll());
}

void QtSerialLink::output(const QString& text)
{
    requireOpen();
    if (port_.write(text.toLatin1()) == -1)
        fail(port_.errorString());
    // Hand the byte to the driver now rather than on a later wake-up of the event loop.
    else
        port_.flush();
    // A write can also fail through errorOccurred while it runs; either way the port is closed now.
    requireOpen();
}

QString QtSerialLink::deviceName() const
{
    if (deviceOverride_)
        return *deviceOverride_;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(commPort_);
#else
    return QStringLiteral("/dev/ttyS%1").arg(commPort_ - 1);
#endif
}

void QtSerialLink::fail(const QString& description)
{
    if (!failure_.isEmpty())
        return;
    failure_ = description;
    port_.close();
}

void QtSerialLink::requireOpen() const
{
    if (!port_.isOpen())
        throw LinkError(deviceName(), failure_.isEmpty() ? linkText::portNotOpen() : failure_);
}

}  // namespace kelvra
