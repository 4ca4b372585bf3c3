#pragma once

#include "archive/station_codes.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <functional>

namespace kelvra::tools {

struct DayFilesReport {
    QStringList filesRead;
    QStringList filesMissing;
    // One message per damaged stretch, left-out record or file that is not a day file; the records
    // around the damage are kept.
    QStringList problems;
};

// One record's samples, whatever their encoding: the first one's time in microseconds since 1970
// UTC, the time base of miniSEED.
using RecordSamples = std::function<void(qint64 startMicros, double sampleRateHz, const double* samples, int count)>;

// Reads one channel's day files of the given UTC days with libmseed and hands on each record of
// the stream in the order of the files. Records of other streams in the same files are passed over.
DayFilesReport readDayFiles(const QString& root, const archive::StationCodes& codes, const QString& channel,
                            const QList<QDate>& utcDays, const RecordSamples& take);

}  // namespace kelvra::tools
