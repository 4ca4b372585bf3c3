#pragma once

#include "detector/detected_event.h"
#include "detector/stream_trigger.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kelvra::detector {

// Joins the streams' triggers that overlap, one after another, into events (ObsPy's
// coincidence_trigger without weights): from the first onset to the last end.
class Coincidence {
public:
    explicit Coincidence(int minChannels);

    void add(int stream, const Trigger& trigger);
    bool waiting() const { return !triggers_.empty(); }
    // Hands on the joined triggers that can grow no more: none still on began by their end, and
    // the newest sample of any stream is past it by more than a stream may lag behind another.
    // At the end of the data everything is handed on.
    void close(std::int64_t newestNs, std::optional<std::int64_t> earliestOpenNs, bool endOfData);
    std::vector<DetectedEvent> takeEnded();

private:
    struct StreamTriggerOf {
        int stream;
        Trigger trigger;
    };

    int minChannels_;
    std::vector<StreamTriggerOf> triggers_;  // by onset
    std::vector<DetectedEvent> ended_;
};

}  // namespace kelvra::detector
