#include "detector/event_line.h"

#include <QDateTime>
#include <QTimeZone>

namespace kelvra::detector {

QString csvHeader() { return QStringLiteral("onset_utc,end_utc,channels,peak_ratio,peak_counts"); }

QString csvLine(const DetectedEvent& event, const QStringList& channelCodes)
{
    return QStringLiteral("%1,%2,%3,%4,%5")
        .arg(utcText(event.onsetNs), utcText(event.endNs), channelsText(event, channelCodes),
             QString::number(event.peakRatio, 'f', 2), QString::number(event.peakCounts));
}

QString utcText(std::int64_t utcNs)
{
    constexpr std::int64_t kNsPerMs = 1'000'000;
    std::int64_t ms = utcNs / kNsPerMs;
    std::int64_t rest = utcNs % kNsPerMs;
    if (rest < 0) {
        --ms;
        rest += kNsPerMs;
    }
    if (rest >= kNsPerMs / 2)
        ++ms;
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'"));
}

QString channelsText(const DetectedEvent& event, const QStringList& channelCodes)
{
    QStringList channels;
    for (const int stream : event.channels)
        channels << channelCodes.value(stream);
    return channels.join(u'+');
}

}  // namespace kelvra::detector
