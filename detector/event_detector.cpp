#include "detector/event_detector.h"

#include "detector/coincidence.h"
#include "detector/detector_settings.h"
#include "detector/stream_trigger.h"

#include <algorithm>
#include <limits>

namespace kelvra::detector {

TriggerParameters TriggerParameters::from(const DetectorSettings& settings, double sampleRateHz)
{
    TriggerParameters parameters;
    static_cast<TriggerSettings&>(parameters) = settings;
    parameters.sampleRateHz = sampleRateHz;
    return parameters;
}

class EventDetector::Impl {
public:
    Impl(const std::vector<TriggerParameters>& streams, int minChannels) : coincidence(minChannels)
    {
        triggers.reserve(streams.size());
        for (const TriggerParameters& parameters : streams)
            triggers.emplace_back(parameters);
    }

    std::optional<std::int64_t> earliestOpen() const
    {
        std::optional<std::int64_t> earliest;
        for (const StreamTrigger& trigger : triggers)
            if (const auto since = trigger.openSince(); since && (!earliest || *since < *earliest))
                earliest = since;
        return earliest;
    }

    std::vector<StreamTrigger> triggers;
    Coincidence coincidence;
    std::int64_t newestNs = std::numeric_limits<std::int64_t>::min();
};

EventDetector::EventDetector(std::vector<TriggerParameters> streams, int minChannels)
    : impl_(std::make_unique<Impl>(streams, minChannels))
{
}

EventDetector::~EventDetector() = default;

void EventDetector::add(int stream, std::int32_t counts, std::int64_t utcNs)
{
    impl_->newestNs = std::max(impl_->newestNs, utcNs);
    if (const std::optional<Trigger> ended = impl_->triggers[std::size_t(stream)].add(counts, utcNs))
        impl_->coincidence.add(stream, *ended);
    if (impl_->coincidence.waiting())
        impl_->coincidence.close(impl_->newestNs, impl_->earliestOpen(), false);
}

void EventDetector::finish()
{
    for (std::size_t stream = 0; stream < impl_->triggers.size(); ++stream)
        if (const std::optional<Trigger> ended = impl_->triggers[stream].finish())
            impl_->coincidence.add(int(stream), *ended);
    impl_->coincidence.close(impl_->newestNs, std::nullopt, true);
}

std::vector<DetectedEvent> EventDetector::takeEnded() { return impl_->coincidence.takeEnded(); }

}  // namespace kelvra::detector
