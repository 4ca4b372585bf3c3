#pragma once

// The serial link this platform records with.
#include <QtGlobal>

#ifdef Q_OS_WIN
#include "link/qt_serial_link.h"
namespace kelvra {
using PlatformSerialLink = QtSerialLink;
}
#else
#include "link/posix_serial_link.h"
namespace kelvra {
using PlatformSerialLink = PosixSerialLink;
}
#endif
