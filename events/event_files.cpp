#include "events/event_files.h"

#include "archive/day_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <libmseed.h>

#include <cmath>
#include <cstring>

namespace kelvra::events {
namespace {

constexpr std::int64_t kPeriodNs = std::int64_t(1e9 / kSampleRateHz);
constexpr flag kBigEndian = 1;
constexpr char kQuality = 'D';

void copyCode(char (&field)[11], const QString& code) { std::strncpy(field, code.toLatin1().constData(), 10); }

void appendRecord(char* record, int length, void* handlerData)
{
    static_cast<QByteArray*>(handlerData)->append(record, length);
}

// One channel's samples in the window as traces: a new trace wherever a sample strays more than
// half a period from its trace's schedule, as the archive cuts its records.
void addTraces(MSTraceGroup* group, const archive::StationCodes& codes, int channel,
               const std::deque<archive::Sample>& samples, std::int64_t fromNs, std::int64_t toNs)
{
    MSTrace* trace = nullptr;
    for (const archive::Sample& sample : samples) {
        if (sample.utcNs < fromNs || sample.utcNs > toNs)
            continue;
        const hptime_t time = archive::toSeedTime(sample.utcNs);
        if (trace) {
            const hptime_t due = trace->starttime + hptime_t(trace->numsamples) * (kPeriodNs / 1000);
            if (std::llabs(time - due) > kPeriodNs / 2000)
                trace = nullptr;
        }
        if (!trace) {
            trace = mst_init(nullptr);
            copyCode(trace->network, codes.network);
            copyCode(trace->station, codes.station);
            copyCode(trace->location, codes.location);
            copyCode(trace->channel, codes.channels.at(std::size_t(channel)));
            trace->dataquality = kQuality;
            trace->samprate = kSampleRateHz;
            trace->sampletype = 'i';
            trace->starttime = time;
            mst_addtracetogroup(group, trace);
        }
        std::int32_t counts = sample.counts;
        mst_addspan(trace, trace->starttime, time, &counts, 1, 'i', 1);
    }
}

}  // namespace

EventFiles::EventFiles(QString folder, archive::StationCodes codes, const QString& streamId)
    : folder_(std::move(folder)), codes_(std::move(codes)), streamId_(streamId)
{
}

void EventFiles::add(const archive::Sample& sample)
{
    auto& kept = kept_.at(std::size_t(sample.channel));
    kept.push_back(sample);
    newestNs_ = std::max(newestNs_, sample.utcNs);
    while (!kept.empty() && kept.front().utcNs < newestNs_ - kKeptSpanNs)
        kept.pop_front();
}

void EventFiles::schedule(const detector::DetectedEvent& event) { waiting_.push_back(event); }

std::vector<EventFiles::Written> EventFiles::writeDue()
{
    std::vector<Written> written;
    for (auto event = waiting_.begin(); event != waiting_.end();) {
        if (event->endNs + kEventMarginNs <= newestNs_) {
            written.push_back(write(*event));
            event = waiting_.erase(event);
        } else {
            ++event;
        }
    }
    return written;
}

std::vector<EventFiles::Written> EventFiles::writeAll()
{
    std::vector<Written> written;
    for (const detector::DetectedEvent& event : waiting_)
        written.push_back(write(event));
    waiting_.clear();
    return written;
}

QString EventFiles::pathFor(const detector::DetectedEvent& event) const
{
    const QString onset =
        QDateTime::fromMSecsSinceEpoch(event.onsetNs / 1'000'000, Qt::UTC).toString(QStringLiteral("yyyyMMddTHHmmss"));
    return QDir(folder_).filePath(QStringLiteral("%1.%2.mseed").arg(streamId_, onset));
}

EventFiles::Written EventFiles::write(const detector::DetectedEvent& event) const
{
    Written written{event, pathFor(event), QString()};
    MSTraceGroup* group = mst_initgroup(nullptr);
    for (int channel = 0; channel < kChannelCount; ++channel)
        addTraces(group, codes_, channel, kept_.at(std::size_t(channel)), event.onsetNs - kEventMarginNs,
                  event.endNs + kEventMarginNs);
    QByteArray records;
    std::int64_t packed = 0;
    const int count = mst_packgroup(group, appendRecord, &records, archive::kRecordLength, DE_STEIM2, kBigEndian,
                                    &packed, 1, 0, nullptr);
    mst_freegroup(&group);
    if (count < 0) {
        written.problem = QStringLiteral("%1: libmseed cannot pack the samples").arg(written.path);
        return written;
    }
    // Whole or not at all: a reader never finds part of a file.
    QSaveFile file(written.path);
    if (!QDir().mkpath(folder_) || !file.open(QIODevice::WriteOnly) || file.write(records) != records.size()
        || !file.commit())
        written.problem = QStringLiteral("%1: %2").arg(written.path, file.errorString());
    return written;
}

}  // namespace kelvra::events
