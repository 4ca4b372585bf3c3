#include "archive/archive_sink.h"

#include <chrono>

namespace kelvra::archive {
namespace {

constexpr std::chrono::seconds kWakeEvery{1};

std::int64_t steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

ArchiveSink::ArchiveSink(const ArchiveSettings& settings, ArchiveEvents events)
    : writer_(settings.root, settings.codes, settings.keepDays, std::move(events)), worker_([this] { run(); })
{
}

ArchiveSink::~ArchiveSink() { finish(); }

void ArchiveSink::record(int channel, std::int32_t counts, std::int64_t utcNs)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!finishing_)
        queued_.push_back({channel, counts, utcNs});
}

void ArchiveSink::finish()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        finishing_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable())
        worker_.join();
}

void ArchiveSink::run()
{
    std::vector<Sample> batch;
    for (;;) {
        bool last = false;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait_for(lock, kWakeEvery, [this] { return finishing_; });
            batch.swap(queued_);
            last = finishing_;
        }
        writer_.take(batch, steadyMs());
        batch.clear();
        if (last) {
            writer_.finish();
            return;
        }
    }
}

}  // namespace kelvra::archive
