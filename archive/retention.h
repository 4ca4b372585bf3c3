#pragma once

#include "archive/station_codes.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>

namespace kelvra::archive {

// The station's day files on disk, for its own four channels only, by the UTC day their names
// give. Names the recorder would not have written, other stations' files and anything else in
// the archive are passed over.
std::map<QDate, QStringList> stationDayFiles(const QString& root, const StationCodes& codes);

// Removes the station's day files of days before firstKept. Returns how many days it removed.
int removeDayFilesBefore(const QString& root, const StationCodes& codes, QDate firstKept);

}  // namespace kelvra::archive
