#pragma once

#include "archive/archive_writer.h"
#include "archive/station_codes.h"
#include "recorder/sample_sink.h"

#include <QString>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kelvra::archive {

struct ArchiveSettings {
    bool enabled = true;
    QString root = defaultArchiveRoot();
    StationCodes codes;
    std::optional<int> keepDays;  // keep all when empty
};

// Another reader of the samples the archive keeps, called on the archive's thread after the writer,
// so that nothing it does reaches the tick.
class SampleListener {
public:
    virtual ~SampleListener() = default;
    virtual void take(const std::vector<Sample>& samples) = 0;
    // No sample comes after this.
    virtual void finish() = 0;
};

// The recorder's sample sink into the archive. record() only queues, so the tick never waits
// for a disk; a worker thread, woken once a second, writes what was queued. The events are
// called on that thread.
class ArchiveSink final : public SampleSink {
public:
    ArchiveSink(const ArchiveSettings& settings, ArchiveEvents events,
                std::unique_ptr<SampleListener> listener = nullptr);
    ArchiveSink(const ArchiveSink&) = delete;
    ArchiveSink& operator=(const ArchiveSink&) = delete;
    ~ArchiveSink() override;

    void record(int channel, std::int32_t counts, std::int64_t utcNs) override;
    void gap(int channel, GapReason reason) override;
    // Writes every sample recorded so far and closes the files, and says on standard error what
    // was taken and what was left out; later samples are not kept.
    void finish();

private:
    void run();
    void tellListener(const std::vector<Sample>& batch, bool last);

    ArchiveEvents events_;
    ArchiveWriter writer_;
    std::unique_ptr<SampleListener> listener_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Sample> queued_;
    std::int64_t taken_ = 0;
    GapCounts gaps_{};
    bool finishing_ = false;
    std::thread worker_;
};

}  // namespace kelvra::archive
