#include "link/qt_serial_link.h"

#include "link/link_messages.h"

#include <utility>

namespace kelvra {

QtSerialLink::QtSerialLink(std::optional<QString> deviceOverride) : choice_(std::move(deviceOverride))
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

void QtSerialLink::setCommPort(int port) { choice_.setCommPort(port); }

void QtSerialLink::setSettings(const QString& text) { choice_.setSettings(text); }

void QtSerialLink::setPortOpen(bool open)
{
    if (open == port_.isOpen())
        return;
    if (!open) {
        port_.close();
        return;
    }
    const QString device = choice_.deviceToOpen();
    const LineSettings& settings = choice_.settings();
    port_.setPortName(device);
    port_.setBaudRate(settings.baudRate);
    port_.setParity(settings.parity);
    port_.setDataBits(settings.dataBits);
    port_.setStopBits(settings.stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite))
        throw LinkError(device, port_.errorString());
    failure_.clear();
}

bool QtSerialLink::portOpen() const
{
    return port_.isOpen();
}

void QtSerialLink::setInputLen(int length) { choice_.setInputLen(length); }

QString QtSerialLink::input()
{
    requireOpen();
    // Latin-1 keeps every byte, NUL and 0xFF included, as one character.
    const int limit = choice_.inputLen();
    return QString::fromLatin1(limit > 0 ? port_.read(limit) : port_.readAll());
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

QString QtSerialLink::deviceName() const { return choice_.deviceName(); }

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
