#pragma once

#include "archive/station_codes.h"

#include <QDate>
#include <QString>

namespace kelvra::archive {

// Removes the station's day files of days before firstKept, for its own four channels only;
// other stations and other files in the archive are left alone. Returns how many it removed.
int removeDayFilesBefore(const QString& root, const StationCodes& codes, QDate firstKept);

}  // namespace kelvra::archive
