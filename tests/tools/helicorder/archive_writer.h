#pragma once

#include "archive/station_codes.h"

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

}  // namespace kelvra::testing
