#pragma once

#include "link/port_catalog.h"

#include <QList>
#include <QString>

namespace kelvra {

// What to add to the report of a port that cannot be opened: the ports on offer and how to
// choose one. `portSetInFile` says that the failing port came from the settings file.
QString portChoiceAdvice(const QList<SerialPortEntry>& ports, const QString& settingsFilePath, bool portSetInFile);

}  // namespace kelvra
