#pragma once

#include <QByteArray>
#include <QStringList>

namespace kelvra {

// Who holds a device, as far as /proc tells (Linux; elsewhere nobody is found). Each holder is
// "program (process N)"; processes of other users are found only with the rights to see them.

// The processes holding an flock on the device.
QStringList lockHoldersOf(const QByteArray& path);

// The processes that have the device open.
QStringList openersOf(const QByteArray& path);

}  // namespace kelvra
