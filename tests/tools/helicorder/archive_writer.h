#pragma once

#include "archive/station_codes.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

namespace kelvra::testing {

constexpr double kArchiveRate = 12.5;

// Appends `samples` taken from `start` on at `rate` to the channel's day files, split at UTC
// midnight, in 512-byte Steim-2 records packed by libmseed as the recorder's archive packs them.
// False with `error` set when a file cannot be written.
bool appendSamples(const QString& root, const archive::StationCodes& codes, const QString& channel,
                   const QDateTime& start, const std::vector<std::int32_t>& samples, QString* error = nullptr,
                   double rate = kArchiveRate);

// One 512-byte INT32 record of XX.KELV.00 whose blockette 100 gives `rate` as it is, also one no
// packer would write, such as NaN.
QByteArray int32Record(const QString& channel, const QDateTime& start, const std::vector<std::int32_t>& samples,
                       float rate);

}  // namespace kelvra::testing
