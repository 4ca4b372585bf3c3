#include "link/port_catalog.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace kelvra {

QList<SerialPortEntry> serialPortsOfThisComputer()
{
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber()});
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.device < b.device; });
    return ports;
}

}  // namespace kelvra
