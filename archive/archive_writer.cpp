#include "archive/archive_writer.h"

#include "archive/messages.h"
#include "recorder/constants.h"

#include <libmseed.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace kelvra::archive {
namespace {

constexpr double kSampleRate = kSampleRateHz;
constexpr hptime_t kPeriod = static_cast<hptime_t>(HPTMODULUS / kSampleRate);
constexpr double kToleranceSeconds = 0.5 / kSampleRate;
constexpr flag kBigEndian = 1;
constexpr char kQuality = 'D';
constexpr std::int64_t kPeriodNs = 1'000'000'000LL * kTimer1IntervalMs * kChannelCount / 1000;
// How far the system clock may seem to stray from the monotonic one between two hand-overs, a
// second apart, with no step: samples wait up to a second to be handed over.
constexpr std::int64_t kClockPaceSlackMs = 3000;
// Retention removes one day at each midnight; more at once is said.
constexpr int kQuietlyRemovedDays = 2;
constexpr hptime_t kMicrosecondsPerDay = 86400LL * HPTMODULUS;

// miniSEED start times count in steps of 100 µs; rounding to them keeps every reader agreeing.
constexpr std::int64_t kStepNs = 100000;

std::int64_t toSeedSteps(std::int64_t utcNs)
{
    return (utcNs >= 0 ? utcNs + kStepNs / 2 : utcNs - kStepNs / 2) / kStepNs;
}

hptime_t fromSeedSteps(std::int64_t steps) { return steps * (kStepNs / 1000); }


QDate dayOf(hptime_t time)
{
    hptime_t days = time / kMicrosecondsPerDay;
    if (time < 0 && time % kMicrosecondsPerDay != 0)
        --days;
    return QDate(1970, 1, 1).addDays(days);
}

void copyCode(char (&field)[11], const QString& code) { std::strncpy(field, code.toLatin1().constData(), 10); }

// Where mst_pack hands each record; libmseed is C, so no exception may pass through it.
struct PackTarget {
    DayFiles& files;
    int channel;
    QDate day;
    HeldSamples& held;  // a written record's samples leave it
    std::size_t& inTrace;
    std::optional<ArchiveError> error;
};

// The sample count of a miniSEED 2 record's fixed header, big-endian at byte 30.
std::size_t samplesIn(const char* record)
{
    return static_cast<std::size_t>((static_cast<unsigned char>(record[30]) << 8) | static_cast<unsigned char>(record[31]));
}

void writeRecord(char* record, int length, void* handlerData)
{
    auto& target = *static_cast<PackTarget*>(handlerData);
    if (target.error)
        return;
    try {
        target.files.append(target.channel, target.day, record, length);
        const std::size_t written = std::min(samplesIn(record), target.held.size());
        target.held.dropFront(written);
        target.inTrace -= std::min(written, target.inTrace);
    } catch (const ArchiveError& error) {
        target.error = error;
    }
}

}  // namespace

std::int64_t toSeedTime(std::int64_t utcNs) { return fromSeedSteps(toSeedSteps(utcNs)); }

void HeldSamples::push(std::int32_t counts, std::int64_t step)
{
    constexpr std::int64_t kReach = std::int64_t{1} << 32;
    if (runs_.empty() || step < runs_.back().base || step - runs_.back().base >= kReach)
        runs_.push_back({step - kReach / 2, {}});
    runs_.back().samples.push_back({counts, static_cast<std::uint32_t>(step - runs_.back().base)});
    ++size_;
}

HeldSamples::Entry HeldSamples::at(std::size_t index) const
{
    auto run = runs_.begin();
    for (; index >= run->samples.size(); ++run)
        index -= run->samples.size();
    const Held& held = run->samples[index];
    return {held.counts, run->base + held.sinceBase};
}

void HeldSamples::dropFront(std::size_t count)
{
    while (count > 0 && !runs_.empty()) {
        std::deque<Held>& samples = runs_.front().samples;
        const std::size_t dropped = std::min(count, samples.size());
        samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(dropped));
        count -= dropped;
        size_ -= dropped;
        if (samples.empty())
            runs_.pop_front();
    }
}

void HeldSamples::clear()
{
    runs_.clear();
    size_ = 0;
}

ArchiveWriter::ArchiveWriter(const QString& root, StationCodes codes, std::optional<int> keepDays,
                             ArchiveEvents events, std::size_t heldPerChannel)
    : layout_(root),
      codes_(std::move(codes)),
      events_(std::move(events)),
      files_(layout_, codes_, events_.note),
      heldPerChannel_(heldPerChannel)
{
    if (keepDays)
        retention_.emplace(layout_, codes_, *keepDays);
    for (MSTraceGroup*& group : traces_)
        group = mst_initgroup(nullptr);
    // mst_pack takes the codes from the template instead of the trace.
    for (std::size_t channel = 0; channel < recordHeaders_.size(); ++channel) {
        MSRecord* header = msr_init(nullptr);
        copyCode(header->network, codes_.network);
        copyCode(header->station, codes_.station);
        copyCode(header->location, codes_.location);
        copyCode(header->channel, codes_.channels.at(channel));
        header->dataquality = kQuality;
        recordHeaders_.at(channel) = header;
    }
}

ArchiveWriter::~ArchiveWriter()
{
    for (MSTraceGroup*& group : traces_)
        mst_freegroup(&group);
    for (MSRecord*& header : recordHeaders_)
        msr_free(&header);
}

void ArchiveWriter::take(const std::vector<Sample>& samples, std::int64_t steadyMs)
{
    for (const Sample& sample : samples)
        watchForClockStepBack(sample);
    if (state_ == State::Refused)
        return;
    for (const Sample& sample : samples)
        hold(sample);
    if (state_ == State::Failed && steadyMs < retryAtMs_)
        return;
    writeHeld(steadyMs, false);
    if (!samples.empty() && state_ == State::Writing)
        retire(samples.back().utcNs, steadyMs);
}

void ArchiveWriter::finish()
{
    if (state_ != State::Refused)
        writeHeld(lastFlushMs_, true);
    std::int64_t unwritten = 0;
    for (const HeldSamples& channel : held_)
        unwritten += static_cast<std::int64_t>(channel.size());
    if (unwritten > 0)
        events_.note(messages::notWritten(unwritten));
    resetTraces();
    files_.close();
}

void ArchiveWriter::hold(const Sample& sample)
{
    HeldSamples& channel = held_.at(static_cast<std::size_t>(sample.channel));
    channel.push(sample.counts, toSeedSteps(sample.utcNs));
    // Only while the archive cannot be written does the backlog grow; the trace then holds none of it.
    if (state_ != State::Writing && channel.size() > heldPerChannel_) {
        channel.dropFront(1);
        ++droppedInOutage_;
    }
}

void ArchiveWriter::writeHeld(std::int64_t steadyMs, bool flush)
{
    const auto oldest = std::find_if(held_.begin(), held_.end(), [](const auto& channel) { return !channel.empty(); });
    if (state_ != State::Writing && oldest == held_.end())
        return;
    try {
        if (state_ != State::Writing) {
            files_.claim(dayOf(fromSeedSteps(oldest->at(0).step)).year());
            state_ = State::Writing;
            lastFlushMs_ = steadyMs;
        }
        std::int64_t backlog = 0;
        for (int channel = 0; channel < kChannelCount; ++channel) {
            const HeldSamples& samples = held_.at(static_cast<std::size_t>(channel));
            std::size_t& inTrace = inTrace_.at(static_cast<std::size_t>(channel));
            // Packing may take written samples off the front meanwhile, and inTrace with them.
            for (; inTrace < samples.size(); ++inTrace)
                add(channel, samples.at(inTrace));
            backlog += static_cast<std::int64_t>(samples.size());
            pack(channel, false);
        }
        // Recovery is only told once what was kept is on the disk.
        if (flush || inOutage_ || steadyMs - lastFlushMs_ >= kPartialFlushMs) {
            flushAll();
            lastFlushMs_ = steadyMs;
            if (inOutage_) {
                inOutage_ = false;
                events_.recovered(messages::resumed(layout_.root(), backlog, std::exchange(droppedInOutage_, 0)));
            }
        }
    } catch (const ArchiveError& error) {
        fail(error, steadyMs);
    }
}

void ArchiveWriter::add(int channel, HeldSamples::Entry sample)
{
    const hptime_t time = fromSeedSteps(sample.step);
    MSTraceGroup* group = traces_.at(static_cast<std::size_t>(channel));
    const QString& code = codes_.channels.at(static_cast<std::size_t>(channel));
    QByteArray network = codes_.network.toLatin1(), station = codes_.station.toLatin1(),
               location = codes_.location.toLatin1(), channelCode = code.toLatin1();

    MSTrace* held = group->traces;
    if (held) {
        flag whence = 0;
        const MSTrace* adjacent =
            mst_findadjacent(group, &whence, kQuality, network.data(), station.data(), location.data(),
                             channelCode.data(), kSampleRate, -1.0, time, time, kToleranceSeconds);
        if (adjacent != held || whence != 1 || dayOf(held->starttime) != dayOf(time)) {
            endTrace(channel);
            held = nullptr;
        }
    }
    if (!held) {
        held = mst_init(nullptr);
        copyCode(held->network, codes_.network);
        copyCode(held->station, codes_.station);
        copyCode(held->location, codes_.location);
        copyCode(held->channel, code);
        held->dataquality = kQuality;
        held->samprate = kSampleRate;
        held->sampletype = 'i';
        held->starttime = time;
        mst_addtracetogroup(group, held);
    }
    std::int32_t counts = sample.counts;
    mst_addspan(held, time, time, &counts, 1, 'i', 1);
    // The record keeps its schedule: the next sample is judged against start + n periods, not
    // against the time of the last one, so small delays cannot add up.
    held->endtime = held->starttime + (held->numsamples - 1) * kPeriod;
}

// Samples come in time order across the channels, a tick apart, unless the clock was set back;
// the overlap it leaves is kept, for readers handle it, but deserves a word.
void ArchiveWriter::watchForClockStepBack(const Sample& sample)
{
    std::optional<std::int64_t>& last = lastUtcNs_.at(static_cast<std::size_t>(sample.channel));
    const bool steppedBack = latestUtcNs_ && sample.utcNs < *latestUtcNs_ - kPeriodNs;
    if (steppedBack) {
        // The channel's own schedule tells the step to the tick.
        const std::int64_t stepNs = last ? *last + kPeriodNs - sample.utcNs : *latestUtcNs_ - sample.utcNs;
        events_.note(messages::clockWentBack(static_cast<double>(stepNs) / 1e9));
    }
    if (steppedBack || !latestUtcNs_ || sample.utcNs > *latestUtcNs_)
        latestUtcNs_ = sample.utcNs;
    last = sample.utcNs;
}

void ArchiveWriter::pack(int channel, bool flush)
{
    MSTrace* held = traces_.at(static_cast<std::size_t>(channel))->traces;
    if (!held || held->numsamples == 0)
        return;
    const QDate day = dayOf(held->starttime);
    MSRecord* header = recordHeaders_.at(static_cast<std::size_t>(channel));
    // msr_pack gives each record this number and counts on from it (wrapping after 999999).
    header->sequence_number = files_.nextSequenceNumber(channel, day);
    PackTarget target{files_, channel, day, held_.at(static_cast<std::size_t>(channel)),
                      inTrace_.at(static_cast<std::size_t>(channel)), std::nullopt};
    int64_t packed = 0;
    const int records =
        mst_pack(held, writeRecord, &target, kRecordLength, DE_STEIM2, kBigEndian, &packed, flush, 0, header);
    if (target.error)
        throw *target.error;
    if (records < 0)
        throw ArchiveError(messages::cannotPack(), false);
}

void ArchiveWriter::endTrace(int channel)
{
    pack(channel, true);
    MSTraceGroup*& group = traces_.at(static_cast<std::size_t>(channel));
    group = mst_initgroup(group);
}

void ArchiveWriter::flushAll()
{
    for (int channel = 0; channel < kChannelCount; ++channel)
        endTrace(channel);
    files_.sync();
}

void ArchiveWriter::fail(const ArchiveError& error, std::int64_t steadyMs)
{
    resetTraces();
    files_.close();
    if (error.refused()) {
        for (HeldSamples& channel : held_)
            channel.clear();
        state_ = State::Refused;
        events_.problem(error.message());
        return;
    }
    state_ = State::Failed;
    retryAtMs_ = steadyMs + kRetryMs;
    if (!inOutage_) {
        inOutage_ = true;
        events_.problem(error.message());
    }
}

void ArchiveWriter::resetTraces()
{
    for (MSTraceGroup*& group : traces_)
        group = mst_initgroup(group);
    inTrace_ = {};
}

void ArchiveWriter::retire(std::int64_t utcNs, std::int64_t steadyMs)
{
    const QDate today = dayOf(toSeedTime(utcNs));
    const std::optional<ClockReading> last = std::exchange(lastReading_, ClockReading{utcNs, steadyMs});
    if (!retention_)
        return;
    int removed = 0;
    if (!last) {
        removed = retention_->atStart(today);
    } else if (today > dayOf(toSeedTime(last->utcNs))) {
        const std::int64_t driftMs = (utcNs - last->utcNs) / 1'000'000 - (steadyMs - last->steadyMs);
        if (std::abs(driftMs) <= kClockPaceSlackMs)
            removed = retention_->atMidnight(today);
    }
    if (removed > kQuietlyRemovedDays)
        events_.problem(messages::removedDays(removed, layout_.root()));
}

}  // namespace kelvra::archive
