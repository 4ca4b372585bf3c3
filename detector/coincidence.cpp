#include "detector/coincidence.h"

#include <algorithm>
#include <cmath>

namespace kelvra::detector {
namespace {

// How far behind the newest sample of one stream those of another may come.
constexpr std::int64_t kStreamLagNs = 2'000'000'000;

}  // namespace

Coincidence::Coincidence(int minChannels) : minChannels_(minChannels) {}

void Coincidence::add(int stream, const Trigger& trigger)
{
    const auto later = std::upper_bound(triggers_.begin(), triggers_.end(), trigger.onNs,
                                        [](std::int64_t onNs, const StreamTriggerOf& t) { return onNs < t.trigger.onNs; });
    triggers_.insert(later, {stream, trigger});
}

void Coincidence::close(std::int64_t newestNs, std::optional<std::int64_t> earliestOpenNs, bool endOfData)
{
    while (!triggers_.empty()) {
        DetectedEvent event;
        event.onsetNs = triggers_.front().trigger.onNs;
        event.endNs = triggers_.front().trigger.endNs;
        double peakCounts = 0;
        auto next = triggers_.begin();
        for (; next != triggers_.end() && next->trigger.onNs <= event.endNs; ++next) {
            event.endNs = std::max(event.endNs, next->trigger.endNs);
            event.peakRatio = std::max(event.peakRatio, next->trigger.peakRatio);
            peakCounts = std::max(peakCounts, next->trigger.peakCounts);
            event.channels.push_back(next->stream);
        }
        const bool mayGrow = (earliestOpenNs && *earliestOpenNs <= event.endNs) || newestNs - event.endNs <= kStreamLagNs;
        if (mayGrow && !endOfData)
            return;
        triggers_.erase(triggers_.begin(), next);
        std::sort(event.channels.begin(), event.channels.end());
        event.channels.erase(std::unique(event.channels.begin(), event.channels.end()), event.channels.end());
        if (int(event.channels.size()) < minChannels_)
            continue;
        event.peakCounts = std::llround(peakCounts);
        ended_.push_back(std::move(event));
    }
}

std::vector<DetectedEvent> Coincidence::takeEnded()
{
    std::vector<DetectedEvent> ended;
    ended.swap(ended_);
    return ended;
}

}  // namespace kelvra::detector
