#pragma once

#include <QList>
#include <QString>

namespace kelvra {

// A serial port of this computer, with what the system knows of it (empty where it knows nothing).
struct SerialPortEntry {
    QString device;  // e.g. /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;
};

// The serial ports the system offers, ordered by device name.
QList<SerialPortEntry> serialPortsOfThisComputer();

}  // namespace kelvra
