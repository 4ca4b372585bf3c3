#include "tools/events/event_search.h"

#include "detector/event_detector.h"
#include "detector/event_line.h"
#include "recorder/constants.h"
#include "tools/common/day_file_reader.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace kelvra::eventsearch {
namespace {

// Long-term averages read ahead of the span: enough for the averages to forget their start.
constexpr double kLeadInAverages = 5;

constexpr std::int64_t kNsPerMicro = 1000;

std::int32_t asCounts(double sample)
{
    return std::int32_t(std::clamp<double>(std::round(sample), std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max()));
}

// What the whole span says of a stream before the detector is set up for it.
struct StreamSurvey {
    std::optional<double> sampleRateHz;
    // Data that never leave the board's range are the board's, and clip at its ends.
    bool withinBoardRange = true;
};

// One day file's samples of a stream, record by record.
struct Run {
    std::int64_t startNs;
    double periodNs;
    std::vector<std::int32_t> counts;
};

struct Window {
    std::int64_t fromNs;
    std::int64_t toNs;
    bool holds(std::int64_t ns) const { return ns >= fromNs && ns < toNs; }
};

// Feeds the day's runs of every stream to the detector, the earliest sample first.
void feedInTimeOrder(const std::vector<std::vector<Run>>& streams, const Window& window,
                     detector::EventDetector& detector)
{
    struct Cursor {
        std::size_t run = 0;
        std::size_t sample = 0;
    };
    std::vector<Cursor> cursors(streams.size());
    const auto nextTime = [&](std::size_t stream) -> std::optional<std::int64_t> {
        const Cursor& c = cursors[stream];
        if (c.run >= streams[stream].size())
            return std::nullopt;
        const Run& run = streams[stream][c.run];
        return run.startNs + std::llround(double(c.sample) * run.periodNs);
    };
    for (;;) {
        std::optional<std::size_t> earliest;
        std::int64_t earliestNs = 0;
        for (std::size_t stream = 0; stream < streams.size(); ++stream)
            if (const auto ns = nextTime(stream); ns && (!earliest || *ns < earliestNs)) {
                earliest = stream;
                earliestNs = *ns;
            }
        if (!earliest)
            return;
        Cursor& c = cursors[*earliest];
        const Run& run = streams[*earliest][c.run];
        if (window.holds(earliestNs))
            detector.add(int(*earliest), run.counts[c.sample], earliestNs);
        if (++c.sample == run.counts.size()) {
            ++c.run;
            c.sample = 0;
        }
    }
}

QList<QDate> utcDaysOf(const Window& window)
{
    const QDate first = QDateTime::fromMSecsSinceEpoch(window.fromNs / 1'000'000, Qt::UTC).date();
    const QDate last = QDateTime::fromMSecsSinceEpoch((window.toNs - 1) / 1'000'000, Qt::UTC).date();
    QList<QDate> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        days << day;
    return days;
}

}  // namespace

SearchOutcome searchEvents(const SearchRequest& request, const QDateTime& now)
{
    SearchOutcome outcome;
    if (!QDir(request.archiveRoot).exists()) {
        outcome.failure = QCoreApplication::translate("Events", "no archive folder %1").arg(request.archiveRoot);
        return outcome;
    }
    const std::int64_t startNs = request.start(now).toMSecsSinceEpoch() * 1'000'000;
    const Window span{startNs, request.end(now).toMSecsSinceEpoch() * 1'000'000};
    const Window read{startNs - std::llround(kLeadInAverages * request.detector.ltaSeconds * 1e9), span.toNs};
    const QList<QDate> days = utcDaysOf(read);

    std::vector<StreamSurvey> surveys(std::size_t(request.channels.size()));
    QStringList missing;
    bool anyFile = false;
    for (std::size_t stream = 0; stream < surveys.size(); ++stream) {
        StreamSurvey& survey = surveys[stream];
        const tools::DayFilesReport report = tools::readDayFiles(
            request.archiveRoot, request.codes, request.channels[int(stream)], days,
            [&](qint64, double rate, const double* samples, int count) {
                if (!survey.sampleRateHz)
                    survey.sampleRateHz = rate;
                for (int i = 0; i < count; ++i)
                    survey.withinBoardRange &= samples[i] >= 0 && samples[i] <= kBoardFullScale;
            });
        outcome.problems << report.problems;
        missing << report.filesMissing;
        anyFile |= !report.filesRead.isEmpty();
    }
    if (!anyFile) {
        outcome.failure = QCoreApplication::translate("Events", "no day file for this time in the archive: %1 not found")
                              .arg(missing.join(QLatin1String(", ")));
        return outcome;
    }

    std::vector<detector::TriggerParameters> parameters;
    for (std::size_t stream = 0; stream < surveys.size(); ++stream) {
        const StreamSurvey& survey = surveys[stream];
        const double rate = survey.sampleRateHz.value_or(kSampleRateHz);
        if (const QString problem = detector::problemWith(request.detector, rate); !problem.isEmpty()) {
            outcome.failure = QCoreApplication::translate("Events", "the detector's settings do not suit %1: %2")
                                  .arg(request.channels[int(stream)], problem);
            return outcome;
        }
        parameters.push_back(detector::TriggerParameters::from(request.detector, rate));
        if (survey.withinBoardRange)
            parameters.back().fullScale = std::pair{0, kBoardFullScale};
    }
    detector::EventDetector detector(parameters, request.detector.minChannels);
    outcome.lines << detector::csvHeader();
    const auto list = [&] {
        for (const detector::DetectedEvent& event : detector.takeEnded())
            if (span.holds(event.onsetNs))
                outcome.lines << detector::csvLine(event, request.channels);
    };
    for (const QDate& day : days) {
        std::vector<std::vector<Run>> runs(surveys.size());
        for (std::size_t stream = 0; stream < runs.size(); ++stream)
            tools::readDayFiles(request.archiveRoot, request.codes, request.channels[int(stream)], {day},
                                [&](qint64 startMicros, double rate, const double* samples, int count) {
                                    Run run{startMicros * kNsPerMicro, 1e9 / rate, {}};
                                    run.counts.reserve(std::size_t(count));
                                    for (int i = 0; i < count; ++i)
                                        run.counts.push_back(asCounts(samples[i]));
                                    runs[stream].push_back(std::move(run));
                                });
        feedInTimeOrder(runs, read, detector);
        list();
    }
    detector.finish();
    list();
    return outcome;
}

}  // namespace kelvra::eventsearch
