#include "link/port_choice.h"

#include "link/link_messages.h"
#include "link/serial_link.h"

namespace kelvra {

void PortChoice::setCommPort(int port)
{
    if (port < 1)
        throw LinkError(QStringLiteral("port %1").arg(port), linkText::portNumberTooSmall());
    commPort_ = port;
}

void PortChoice::setSettings(const QString& text)
{
    try {
        settings_ = parseLineSettings(text);
    } catch (const LineSettingsError& e) {
        throw LinkError(deviceName(), QString::fromUtf8(e.what()));
    }
}

void PortChoice::setInputLen(int length)
{
    if (length < 0)
        throw LinkError(deviceName(), linkText::negativeInputLength(length));
    inputLen_ = length;
}

QString PortChoice::deviceName() const
{
    if (deviceOverride_)
        return *deviceOverride_;
    return QStringLiteral("/dev/ttyS%1").arg(commPort_ - 1);
}

QString PortChoice::deviceToOpen() const
{
    const QString device = deviceName();
    if (device.trimmed().isEmpty())
        throw LinkError(u'"' + device + u'"', linkText::noDeviceName());
    return device;
}

}  // namespace kelvra
