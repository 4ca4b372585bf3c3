#pragma once

#include "archive/sds_layout.h"
#include "archive/station_codes.h"

#include <QDate>

namespace kelvra::archive {

// Removes the station's day files of days more than keepDays before today, for its own four
// channels only; other stations' files and anything else in the archive are left. Returns how
// many days it removed.
class Retention {
public:
    Retention(SdsLayout layout, StationCodes codes, int keepDays);

    // A clock that is wrong at start cannot be told from a computer that was off for a while,
    // so this keeps the newest keepDays days that hold data, whatever their dates.
    int atStart(QDate today) const;
    // By the calendar alone, for a midnight reached while recording on a clock that kept pace.
    int atMidnight(QDate today) const;

private:
    int remove(QDate firstKept, int keptWithData) const;

    SdsLayout layout_;
    StationCodes codes_;
    int keepDays_;
};

}  // namespace kelvra::archive
