#pragma once

#include "archive/day_files.h"
#include "archive/retention.h"
#include "archive/station_codes.h"

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct MSRecord_s;
struct MSTraceGroup_s;

namespace kelvra::archive {

struct Sample {
    int channel = 0;
    std::int32_t counts = 0;
    std::int64_t utcNs = 0;
};

// Times of the archive's own schedule, on a monotonic clock in milliseconds.
inline constexpr std::int64_t kPartialFlushMs = 9000;  // plus up to a second waiting to be handed over
inline constexpr std::int64_t kRetryMs = 60000;

struct ArchiveEvents {
    std::function<void(const QString&)> problem;  // once per outage, the refusal, many days removed at once
    std::function<void(const QString&)> note;     // the archive writes again
};

// Turns each channel's samples into 512-byte Steim-2 miniSEED records in the station's day files.
// A channel's samples stay in one record while each is within half a sample period of the
// record's schedule (start time plus n periods) and on the same UTC day; otherwise a new record
// begins. Not thread-safe: one thread calls everything.
class ArchiveWriter {
public:
    ArchiveWriter(QString root, StationCodes codes, std::optional<int> keepDays, ArchiveEvents events);
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;
    ~ArchiveWriter();

    // Adds the samples (in time order per channel) and writes the records they fill; partial
    // records too once kPartialFlushMs has passed since the last time. While the archive cannot
    // be written, samples are dropped and the folder is tried again every kRetryMs.
    void take(const std::vector<Sample>& samples, std::int64_t steadyMs);
    // Writes everything held, partial records included, and closes the files.
    void finish();

private:
    void add(const Sample& sample);
    void watchForClockStepBack(const Sample& sample);
    void pack(int channel, bool flush);
    void endTrace(int channel);
    void flushAll();
    void fail(const ArchiveError& error, std::int64_t steadyMs);
    void dropHeld();
    void retire(std::int64_t utcNs, std::int64_t steadyMs);

    QString root_;
    StationCodes codes_;
    std::optional<Retention> retention_;
    ArchiveEvents events_;
    DayFiles files_;
    std::array<MSTraceGroup_s*, kChannelCount> traces_{};
    std::array<MSRecord_s*, kChannelCount> recordHeaders_{};  // templates that number the records

    enum class State { Starting, Writing, Failed, Refused };
    State state_ = State::Starting;
    bool inOutage_ = false;
    std::int64_t retryAtMs_ = 0;
    std::int64_t lastFlushMs_ = 0;
    // The newest sample's time and the monotonic time when it was handed over, as last seen.
    struct ClockReading {
        std::int64_t utcNs;
        std::int64_t steadyMs;
    };
    std::optional<ClockReading> lastReading_;
    std::optional<std::int64_t> latestUtcNs_;  // of any channel's sample
    std::array<std::optional<std::int64_t>, kChannelCount> lastUtcNs_{};
};

}  // namespace kelvra::archive
