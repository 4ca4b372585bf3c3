#include "archive/archive_sink.h"

#include "archive/messages.h"

#include <chrono>
#include <exception>

namespace kelvra::archive {
namespace {

constexpr std::chrono::seconds kWakeEvery{1};

std::int64_t steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

ArchiveSink::ArchiveSink(const ArchiveSettings& settings, ArchiveEvents events, std::unique_ptr<SampleListener> listener)
    : events_(events),
      writer_(settings.root, settings.codes, settings.keepDays, std::move(events)),
      listener_(std::move(listener)),
      worker_([this] { run(); })
{
}

ArchiveSink::~ArchiveSink() { finish(); }

void ArchiveSink::record(int channel, std::int32_t counts, std::int64_t utcNs)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (finishing_)
        return;
    queued_.push_back({channel, counts, utcNs});
    ++taken_;
}

void ArchiveSink::gap(int, GapReason reason)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!finishing_)
        ++gaps_.at(static_cast<std::size_t>(reason));
}

void ArchiveSink::finish()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        finishing_ = true;
    }
    wake_.notify_one();
    if (!worker_.joinable())
        return;
    worker_.join();
    events_.note(messages::takenAndLeftOut(taken_, gaps_));
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
        if (last)
            writer_.finish();
        tellListener(batch, last);
        batch.clear();
        if (last)
            return;
    }
}

void ArchiveSink::tellListener(const std::vector<Sample>& batch, bool last)
{
    if (!listener_)
        return;
    // A listener that fails must not end the recording, nor the archive with it.
    try {
        listener_->take(batch);
        if (last)
            listener_->finish();
    } catch (const std::exception& error) {
        events_.note(QString::fromStdString(error.what()));
    }
}

}  // namespace kelvra::archive
