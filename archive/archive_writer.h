#pragma once

#include "archive/day_files.h"
#include "archive/retention.h"
#include "archive/sds_layout.h"
#include "archive/station_codes.h"

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <deque>
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

// A UTC time in nanoseconds as miniSEED times count it: microseconds, rounded to the 100 µs steps
// every reader agrees on.
std::int64_t toSeedTime(std::int64_t utcNs);

// Times of the archive's own schedule, on a monotonic clock in milliseconds.
inline constexpr std::int64_t kPartialFlushMs = 9000;  // plus up to a second waiting to be handed over
inline constexpr std::int64_t kRetryMs = 5000;
// Samples kept per channel while the archive cannot be written: a day at 12.5 a second, 8 bytes
// each, some 35 MB for the four channels.
inline constexpr std::size_t kHeldSamplesPerChannel = std::size_t{86400} * 25 / 2;

// A channel's samples not yet in a written record, oldest first, 8 bytes each: the counts and the
// time in the 100 µs steps of miniSEED times, from the base of the run it is in. A new run begins
// where a clock step puts a time out of the current run's reach, some two days either way.
class HeldSamples {
public:
    struct Entry {
        std::int32_t counts;
        std::int64_t step;  // since the epoch
    };
    void push(std::int32_t counts, std::int64_t step);
    Entry at(std::size_t index) const;  // index < size()
    void dropFront(std::size_t count);
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear();

private:
    struct Held {
        std::int32_t counts;
        std::uint32_t sinceBase;
    };
    static_assert(sizeof(Held) == 8);
    struct Run {
        std::int64_t base;
        std::deque<Held> samples;
    };
    std::deque<Run> runs_;
    std::size_t size_ = 0;
};

struct ArchiveEvents {
    std::function<void(const QString&)> problem;  // once per outage, the refusal, many days removed at once
    std::function<void(const QString&)> recovered;  // the archive writes again, and what it kept meanwhile
    std::function<void(const QString&)> note;       // for standard error only
};

// Turns each channel's samples into 512-byte Steim-2 miniSEED records in the station's day files.
// A channel's samples stay in one record while each is within half a sample period of the
// record's schedule (start time plus n periods) and on the same UTC day; otherwise a new record
// begins. Not thread-safe: one thread calls everything.
class ArchiveWriter {
public:
    ArchiveWriter(const QString& root, StationCodes codes, std::optional<int> keepDays, ArchiveEvents events,
                  std::size_t heldPerChannel = kHeldSamplesPerChannel);
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;
    ~ArchiveWriter();

    // Adds the samples (in time order per channel) and writes the records they fill; partial
    // records too once kPartialFlushMs has passed since the last time. While the archive cannot
    // be written, the samples are kept (up to heldPerChannel per channel, then the oldest go) and
    // the folder is tried again every kRetryMs; once it works they are written in order.
    void take(const std::vector<Sample>& samples, std::int64_t steadyMs);
    // Writes everything held, partial records included, and closes the files; says how many
    // samples could not be written.
    void finish();

private:
    void add(int channel, HeldSamples::Entry sample);
    void watchForClockStepBack(const Sample& sample);
    void pack(int channel, bool flush);
    void endTrace(int channel);
    void flushAll();
    void fail(const ArchiveError& error, std::int64_t steadyMs);
    void hold(const Sample& sample);
    void writeHeld(std::int64_t steadyMs, bool flush);
    void resetTraces();
    void retire(std::int64_t utcNs, std::int64_t steadyMs);

    SdsLayout layout_;
    StationCodes codes_;
    std::optional<Retention> retention_;
    ArchiveEvents events_;
    DayFiles files_;
    std::array<MSTraceGroup_s*, kChannelCount> traces_{};
    std::array<MSRecord_s*, kChannelCount> recordHeaders_{};  // templates that number the records
    // Per channel; the first inTrace_ of them are in the trace being packed.
    std::array<HeldSamples, kChannelCount> held_;
    std::array<std::size_t, kChannelCount> inTrace_{};
    std::size_t heldPerChannel_;
    std::int64_t droppedInOutage_ = 0;

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
