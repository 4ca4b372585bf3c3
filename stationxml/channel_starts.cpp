#include "stationxml/channel_starts.h"

#include <QTimeZone>

namespace kelvra::stationxml {

std::array<QDateTime, kChannelCount> channelStarts(const archive::SdsLayout& layout, const archive::StationCodes& codes,
                                                   const QDateTime& withoutData)
{
    std::array<QDateTime, kChannelCount> starts;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::vector<QDate> days = layout.daysPresent(codes, codes.channels[i]);
        starts[i] = days.empty() ? withoutData : days.front().startOfDay(QTimeZone::utc());
    }
    return starts;
}

}  // namespace kelvra::stationxml
