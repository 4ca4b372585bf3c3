#pragma once

#include "link/port_catalog.h"

#include <QList>
#include <QString>

namespace kelvra {

// What to add to the report of a port that cannot be opened: the ports on offer and how to
// choose one. `portFromFile` is the failing port when the settings file named it, else empty.
QString portChoiceAdvice(const QList<SerialPortEntry>& ports, const QString& settingsFilePath,
                         const QString& portFromFile);

}  // namespace kelvra
