#pragma once

#include <QSerialPort>
#include <QString>
#include <chrono>
#include <stdexcept>

namespace kelvra {

// The line settings text "baud,parity,data,stop", e.g. "9600,n,8,1".
struct LineSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // One character on the line: start bit, data bits, parity bit, stop bits.
    std::chrono::nanoseconds characterTime() const;
};

class LineSettingsError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Parity letters n, e, o, m, s in either case; data bits 5 to 8; stop bits 1, 1.5 or 2.
// Throws LineSettingsError quoting the text and naming the faulty field.
LineSettings parseLineSettings(const QString& text);

}  // namespace kelvra
