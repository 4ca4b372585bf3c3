#include "link/link_messages.h"

namespace kelvra::linkText {

QString portNotOpen() { return QStringLiteral("The port is not open"); }

QString portNumberTooSmall() { return QStringLiteral("Port numbers start at 1"); }

QString negativeInputLength(int length) { return QStringLiteral("Input length %1 is negative").arg(length); }

QString noDeviceName()
{
    return QStringLiteral("No device name was given; name one, e.g. --port /dev/ttyUSB0, or leave --port out to "
                          "use the first serial port");
}

QString deviceMissing() { return QStringLiteral("The device does not exist"); }

QString nameTooLong(qsizetype length)
{
    return QStringLiteral("The device name is too long for this system (%1 characters)").arg(length);
}

QString noPermission()
{
#ifdef Q_OS_LINUX
    return QStringLiteral("No permission to use the device. Serial devices belong to the group dialout: add "
                          "yourself once with \"sudo adduser $USER dialout\" and log in again");
#else
    return QStringLiteral("No permission to use the device");
#endif
}

QString inUse(const QStringList& holders)
{
    if (holders.isEmpty())
        return QStringLiteral("The device is in use by another program");
    return QStringLiteral("The device is in use by %1").arg(holders.join(QStringLiteral(", ")));
}

QString holder(const QString& program, qint64 processId)
{
    return QStringLiteral("%1 (process %2)").arg(program).arg(processId);
}

QString notASerialDevice() { return QStringLiteral("This is not a serial device"); }

QString cannotOpen(const QString& systemText)
{
    return QStringLiteral("The device cannot be opened (%1)").arg(systemText);
}

QString settingsRefused(const QString& systemText)
{
    return QStringLiteral("The device refused the line settings (%1)").arg(systemText);
}

QString unsupportedBaudRate(int baudRate)
{
    return QStringLiteral("The baud rate %1 is not supported on this system").arg(baudRate);
}

QString unsupportedStopBits() { return QStringLiteral("1.5 stop bits are not supported on this system"); }

QString unsupportedParity() { return QStringLiteral("Mark and space parity are not supported on this system"); }

QString deviceGone() { return QStringLiteral("The device is no longer available"); }

QString deviceGone(const QString& systemText)
{
    return QStringLiteral("The device is no longer available (%1)").arg(systemText);
}

QString readFailed(const QString& systemText)
{
    return QStringLiteral("Reading from the device failed (%1)").arg(systemText);
}

QString writeFailed(const QString& systemText)
{
    return QStringLiteral("Writing to the device failed (%1)").arg(systemText);
}

}  // namespace kelvra::linkText
