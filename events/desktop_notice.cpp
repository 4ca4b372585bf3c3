#include "events/desktop_notice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace kelvra::events {
namespace {

constexpr int kServerDecidesTimeout = -1;

}  // namespace

void showDesktopNotice(const QString& summary, const QString& body)
{
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
