#pragma once

#include "archive/sds_layout.h"
#include "archive/station_codes.h"
#include "recorder/constants.h"

#include <QDateTime>

#include <array>

namespace kelvra::stationxml {

// When each channel's data begin: the UTC midnight of its first day file in the archive, or
// `withoutData` for a channel that has none yet.
std::array<QDateTime, kChannelCount> channelStarts(const archive::SdsLayout& layout, const archive::StationCodes& codes,
                                                   const QDateTime& withoutData);

}  // namespace kelvra::stationxml
