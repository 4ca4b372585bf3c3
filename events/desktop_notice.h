#pragma once

#include <QString>

namespace kelvra::events {

// Shows a notice through the desktop's notification service (org.freedesktop.Notifications).
// The call is sent without waiting for an answer; without a session bus or a service, nothing
// is shown and nothing else happens.
void showDesktopNotice(const QString& summary, const QString& body);

}  // namespace kelvra::events
