#include "link/link_messages.h"

#include <QCoreApplication>

namespace kelvra::linkText {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("kelvra::linkText", text); }

}  // namespace

QString portNotOpen() { return tr("The port is not open"); }

QString portNumberTooSmall() { return tr("Port numbers start at 1"); }

QString negativeInputLength(int length) { return tr("Input length %1 is negative").arg(length); }

QString noDeviceName()
{
    return tr("No device name was given; name one, e.g. --port /dev/ttyUSB0, or leave --port out to "
                          "use the first serial port");
}

QString deviceMissing() { return tr("The device does not exist"); }

QString nameTooLong(qsizetype length)
{
    return tr("The device name is too long for this system (%1 characters)").arg(length);
}

QString noPermission()
{
    return tr("No permission to use the device. Serial devices belong to the group dialout: add "
                          "yourself once with \"sudo adduser $USER dialout\" and log in again");
}

QString inUse(const QStringList& holders)
{
    if (holders.isEmpty())
        return tr("The device is in use by another program");
    return tr("The device is in use by %1").arg(holders.join(tr(", ")));
}

QString holder(const QString& program, qint64 processId)
{
    return tr("%1 (process %2)").arg(program).arg(processId);
}

QString notASerialDevice() { return tr("This is not a serial device"); }

QString cannotOpen(const QString& systemText)
{
    return tr("The device cannot be opened (%1)").arg(systemText);
}

QString settingsRefused(const QString& systemText)
{
    return tr("The device refused the line settings (%1)").arg(systemText);
}

QString unsupportedBaudRate(int baudRate)
{
    return tr("The baud rate %1 is not supported on this system").arg(baudRate);
}

QString unsupportedStopBits() { return tr("1.5 stop bits are not supported on this system"); }

QString unsupportedParity() { return tr("Mark and space parity are not supported on this system"); }

QString deviceGone() { return tr("The device is no longer available"); }

QString deviceGone(const QString& systemText)
{
    return tr("The device is no longer available (%1)").arg(systemText);
}

QString readFailed(const QString& systemText)
{
    return tr("Reading from the device failed (%1)").arg(systemText);
}

QString writeFailed(const QString& systemText)
{
    return tr("Writing to the device failed (%1)").arg(systemText);
}

}  // namespace kelvra::linkText
