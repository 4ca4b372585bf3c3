#pragma once

#include "archive/archive_writer.h"
#include "archive/station_codes.h"
#include "detector/detected_event.h"

#include <QString>

#include <array>
#include <deque>
#include <vector>

namespace kelvra::events {

// How much of the four channels an event's file holds around the event.
inline constexpr std::int64_t kEventMarginNs = 60'000'000'000LL;
// The samples kept in memory for the files: an event longer than this, less the margins, has its
// file begin later than a minute before its onset.
inline constexpr std::int64_t kKeptSpanNs = 30LL * 60 * 1'000'000'000LL;

// A miniSEED file of all four channels from a minute before an event's onset to a minute after its
// end, <folder>/<stream id>.<onset as YYYYMMDDTHHMMSS>.mseed, for sending to others. It is
// written once the minute after the end has been recorded, from samples kept in memory, so the
// archive's files are never read back.
class EventFiles {
public:
    struct Written {
        detector::DetectedEvent event;
        QString path;
        QString problem;  // why it could not be written; empty when it was
    };

    EventFiles(QString folder, archive::StationCodes codes, const QString& streamId);

    void add(const archive::Sample& sample);
    void schedule(const detector::DetectedEvent& event);
    // The files whose minute after the end the samples have passed.
    std::vector<Written> writeDue();
    // Every file still waiting, with what has been recorded of it.
    std::vector<Written> writeAll();

    QString pathFor(const detector::DetectedEvent& event) const;

private:
    Written write(const detector::DetectedEvent& event) const;

    QString folder_;
    archive::StationCodes codes_;
    QString streamId_;
    std::array<std::deque<archive::Sample>, kChannelCount> kept_;
    std::int64_t newestNs_ = 0;
    std::vector<detector::DetectedEvent> waiting_;
};

}  // namespace kelvra::events
