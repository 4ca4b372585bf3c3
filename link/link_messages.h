#pragma once

#include <QString>
#include <QStringList>

namespace kelvra::linkText {

// Everything the serial link tells the user, in one place.
QString portNotOpen();
QString portNumberTooSmall();
QString negativeInputLength(int length);
QString noDeviceName();
QString deviceMissing();
QString nameTooLong(qsizetype length);
QString noPermission();
// holders: the programs that hold the device, each as "name (process N)"; may be empty.
QString inUse(const QStringList& holders);
QString notASerialDevice();
QString cannotOpen(const QString& systemText);
QString settingsRefused(const QString& systemText);
QString unsupportedBaudRate(int baudRate);
QString unsupportedStopBits();
QString unsupportedParity();
QString deviceGone();
QString deviceGone(const QString& systemText);
QString readFailed(const QString& systemText);
QString writeFailed(const QString& systemText);
QString holder(const QString& program, qint64 processId);

}  // namespace kelvra::linkText
