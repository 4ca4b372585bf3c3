#include "events/desktop_notice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>
#include <QVariantMap>

namespace kelvra::events {
namespace {

constexpr int kServerDecidesTimeout = -1;

// Without an address libdbus would "autolaunch" a bus of its own, a daemon left running after
// the recorder; a desktop session always has one of these.
bool sessionBusRuns()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")
           || (!runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists());
}

}  // namespace

void showDesktopNotice(const QString& summary, const QString& body)
{
    if (!sessionBusRuns())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("io.github.kelvra.Kelvra"));
    hints.insert(QStringLiteral("category"), QStringLiteral("device"));
    call << QStringLiteral("KELVRA") << 0u << QStringLiteral("io.github.kelvra.Kelvra") << summary << body
         << QStringList() << hints << kServerDecidesTimeout;
    // Nobody waits on the answer: a service that is missing or slow must not hold up anything.
    call.setAutoStartService(false);
    bus.send(call);
}

}  // namespace kelvra::events
