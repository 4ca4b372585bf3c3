#include "events/live_detection.h"

#include "archive/sds_layout.h"
#include "detector/event_line.h"
#include "events/messages.h"
#include "recorder/constants.h"

#include <QDir>

namespace kelvra::events {
namespace {

QStringList stationChannels(const archive::StationCodes& codes)
{
    return QStringList(codes.channels.begin(), codes.channels.end());
}

// In the station's order, whatever order the settings give, as kelvra-events lists them.
QStringList watchedCodes(const detector::DetectorSettings& settings, const archive::StationCodes& codes)
{
    QStringList watched;
    for (const QString& code : stationChannels(codes))
        if (settings.channels.isEmpty() || settings.channels.contains(code))
            watched << code;
    return watched;
}

std::vector<detector::TriggerParameters> streamsFor(const detector::DetectorSettings& settings, int count)
{
    detector::TriggerParameters parameters = detector::TriggerParameters::from(settings, kSampleRateHz);
    parameters.fullScale = std::pair<std::int32_t, std::int32_t>(0, kBoardFullScale);
    return std::vector<detector::TriggerParameters>(std::size_t(count), parameters);
}

QString eventsFolder(const QString& root) { return QDir(root).filePath(QStringLiteral("events")); }

}  // namespace

LiveDetection::LiveDetection(const detector::DetectorSettings& settings, const archive::ArchiveSettings& archive,
                             EventNotices notices)
    : streamCodes_(watchedCodes(settings, archive.codes)),
      detector_(streamsFor(settings, int(streamCodes_.size())), settings.minChannels),
      list_(eventsFolder(archive.root), archive::SdsLayout::streamId(archive.codes)),
      files_(eventsFolder(archive.root), archive.codes, archive::SdsLayout::streamId(archive.codes)),
      notices_(std::move(notices))
{
    for (int channel = 0; channel < kChannelCount; ++channel)
        streamOf_.at(std::size_t(channel)) = int(streamCodes_.indexOf(archive.codes.channels.at(std::size_t(channel))));
    if (!settings.onEvent.isEmpty())
        command_.emplace(settings.onEvent, notices_.note);
}

QString LiveDetection::problemWith(const detector::DetectorSettings& settings, const archive::StationCodes& codes)
{
    const QStringList channels = stationChannels(codes);
    for (const QString& code : settings.channels)
        if (!channels.contains(code))
            return messages::notAChannelOfTheStation(code, channels);
    detector::DetectorSettings watched = settings;
    watched.channels = watchedCodes(settings, codes);
    if (const QString problem = detector::problemWith(watched, kSampleRateHz); !problem.isEmpty())
        return messages::settingsDoNotWork(problem);
    return QString();
}

void LiveDetection::take(const std::vector<archive::Sample>& samples)
{
    for (const archive::Sample& sample : samples) {
        files_.add(sample);
        if (const int stream = streamOf_.at(std::size_t(sample.channel)); stream >= 0)
            detector_.add(stream, sample.counts, sample.utcNs);
    }
    ended(detector_.takeEnded());
    written(files_.writeDue());
}

void LiveDetection::finish()
{
    detector_.finish();
    ended(detector_.takeEnded());
    written(files_.writeAll());
}

void LiveDetection::ended(const std::vector<detector::DetectedEvent>& events)
{
    for (const detector::DetectedEvent& event : events) {
        const QString problem = list_.append(detector::csvLine(event, streamCodes_));
        // Said once while the list cannot be written; the events themselves are still said below.
        if (!problem.isEmpty() && !listFailing_)
            notices_.note(messages::listNotWritten(problem));
        listFailing_ = !problem.isEmpty();
        const QString onset = detector::utcText(event.onsetNs);
        const QString channels = detector::channelsText(event, streamCodes_);
        notices_.note(messages::eventFound(onset, detector::utcText(event.endNs), channels, event.peakRatio,
                                           event.peakCounts, list_.path()));
        notices_.notify(messages::noticeSummary(), messages::noticeBody(onset, channels, event.peakRatio));
        files_.schedule(event);
    }
}

void LiveDetection::written(const std::vector<EventFiles::Written>& files)
{
    for (const EventFiles::Written& file : files) {
        if (!file.problem.isEmpty()) {
            notices_.note(messages::fileNotWritten(file.problem));
            continue;
        }
        if (!command_)
            continue;
        const detector::DetectedEvent& event = file.event;
        command_->run({{QStringLiteral("KELVRA_ONSET"), detector::utcText(event.onsetNs)},
                       {QStringLiteral("KELVRA_END"), detector::utcText(event.endNs)},
                       {QStringLiteral("KELVRA_CHANNELS"), detector::channelsText(event, streamCodes_)},
                       {QStringLiteral("KELVRA_PEAK_RATIO"), QString::number(event.peakRatio, 'f', 2)},
                       {QStringLiteral("KELVRA_PEAK_COUNTS"), QString::number(event.peakCounts)},
                       {QStringLiteral("KELVRA_EVENT_FILE"), file.path},
                       {QStringLiteral("KELVRA_EVENT_LIST"), list_.path()}});
    }
}

}  // namespace kelvra::events
