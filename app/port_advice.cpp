#include "app/port_advice.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace kelvra {
namespace {

QString describe(const SerialPortEntry& port)
{
    QStringList known;
    for (const QString& detail : {port.description, port.manufacturer})
        if (!detail.isEmpty() && !known.contains(detail))
            known << detail;
    if (!port.serialNumber.isEmpty())
        known << QCoreApplication::translate("kelvra::PortAdvice", "serial number %1").arg(port.serialNumber);
    if (known.isEmpty())
        return port.device;
    return QCoreApplication::translate("kelvra::PortAdvice", "%1: %2")
        .arg(port.device, known.join(QCoreApplication::translate("kelvra::PortAdvice", ", ")));
}

// The devices whose number can change when the adapter is plugged in again.
bool isUsbAdapter(const SerialPortEntry& port)
{
    return port.device.startsWith(QLatin1String("/dev/ttyUSB")) || port.device.startsWith(QLatin1String("/dev/ttyACM"));
}

}  // namespace

QString portChoiceAdvice(const QList<SerialPortEntry>& ports, const QString& settingsFilePath,
                         const QString& portFromFile)
{
    QStringList lines;
    if (ports.isEmpty()) {
        lines << QCoreApplication::translate("kelvra::PortAdvice",
                                             "No serial port is known on this computer. A USB serial adapter "
                                             "appears here once it is plugged in.");
    } else {
        lines << QCoreApplication::translate("kelvra::PortAdvice", "Serial ports on this computer:");
        for (const SerialPortEntry& port : ports)
            lines << QStringLiteral("  ") + describe(port);
    }
    if (!portFromFile.isEmpty())
        lines << QCoreApplication::translate("kelvra::PortAdvice", "The port %1 was chosen in the settings file %2.")
                     .arg(portFromFile, settingsFilePath);
    lines << QCoreApplication::translate("kelvra::PortAdvice",
                                         "Choose the port with the option --port DEVICE, or with a line "
                                         "port=DEVICE in the settings file %1.")
                 .arg(settingsFilePath);
    if (std::any_of(ports.cbegin(), ports.cend(), isUsbAdapter))
        lines << QCoreApplication::translate("kelvra::PortAdvice",
                                             "A USB adapter is best named by its /dev/serial/by-id/... name: it stays "
                                             "the same in any USB socket, and an adapter pulled out and plugged in "
                                             "again while recording is found again under it even when it comes back "
                                             "as another ttyUSB or ttyACM number.");
    return lines.join(u'\n');
}

}  // namespace kelvra
