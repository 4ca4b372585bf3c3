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

// Removes the station's day files of days more than keepDays before today. Returns how many days
// it removed.
class Retention {
public:
    Retention(QString root, StationCodes codes, int keepDays);

    // A clock that is wrong at start cannot be told from a computer that was off for a while,
    // so this keeps the newest keepDays days that hold data, whatever their dates.
    int atStart(QDate today) const;
    // By the calendar alone, for a midnight reached while recording on a clock that kept pace.
    int atMidnight(QDate today) const;

private:
    int remove(QDate firstKept, int keptWithData) const;

    QString root_;
    StationCodes codes_;
    int keepDays_;
};

}  // namespace kelvra::archive
