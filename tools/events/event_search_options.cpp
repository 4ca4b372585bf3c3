#include "tools/events/event_search_options.h"

#include "settings/settings_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace kelvra::eventsearch {
namespace {

// The recorder's settings that the search takes as options too, with the recorder's texts and checks.
const SettingNames kArchiveOptions{"archive", "station"};
const SettingNames kDetectorOptions{"detect_band", "detect_sta", "detect_lta", "detect_on", "detect_off", "detect_min_channels"};

struct Options {
    QCommandLineOption channels{QStringLiteral("channels"),
                                QCoreApplication::translate("Events",
                                                            "channel codes to search (default: those the recorder "
                                                            "watches, every channel of the station unless set)"),
                                QCoreApplication::translate("Events", "C1,C2,...")};
    QCommandLineOption day{QStringLiteral("day"),
                           QCoreApplication::translate("Events", "the day to search (default: today)"),
                           QCoreApplication::translate("Events", "YYYY-MM-DD")};
    QCommandLineOption last{QStringLiteral("last"),
                            QCoreApplication::translate("Events",
                                                        "search the last HOURS up to now instead of a day (at most 168)"),
                            QCoreApplication::translate("Events", "HOURS")};
    QCommandLineOption utc{QStringLiteral("utc"), QCoreApplication::translate("Events", "days from midnight to midnight UTC")};
    QCommandLineOption local{QStringLiteral("local"),
                             QCoreApplication::translate("Events", "days from midnight to midnight local time (default)")};
};

// The station's own channels first, in its order, then any others as given.
QStringList inStationOrder(const QStringList& channels, const archive::StationCodes& codes)
{
    QStringList ordered;
    for (const QString& channel : codes.channels)
        if (channels.contains(channel))
            ordered << channel;
    for (const QString& channel : channels)
        if (!ordered.contains(channel))
            ordered << channel;
    return ordered;
}

QString parseInto(const QCommandLineParser& parser, const Options& o, SearchRequest& r)
{
    if (!parser.positionalArguments().isEmpty())
        return QCoreApplication::translate("Events", "unexpected argument \"%1\"").arg(parser.positionalArguments().first());
    if (parser.isSet(o.channels))
        if (const QString error = detector::parseChannelList(parser.value(o.channels), r.channels); !error.isEmpty())
            return error;
    if (const QString error = tools::parseTimeSpan(parser, r.when); !error.isEmpty())
        return error;
    if (r.channels.isEmpty())
        r.channels = QStringList(r.codes.channels.begin(), r.codes.channels.end());
    r.channels = inStationOrder(r.channels, r.codes);
    return {};
}

}  // namespace

QDateTime SearchRequest::start(const QDateTime& now) const
{
    if (when.lastHours)
        return now.addMSecs(-qint64(*when.lastHours * 3600.0 * 1000.0));
    return QDateTime(when.dayOrToday(now), QTime(0, 0), when.clock);
}

QDateTime SearchRequest::end(const QDateTime& now) const
{
    if (when.lastHours)
        return now;
    return QDateTime(when.dayOrToday(now).addDays(1), QTime(0, 0), when.clock);
}

ParsedRequest parseRequest(const QStringList& arguments, const QString& settingsFile)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("Events",
                                    "Lists the events the recorder's detector finds in the seismic archive, as CSV "
                                    "on standard output.\nThe archive folder, station, channels and detector "
                                    "settings default to the recorder's settings in %1.")
            .arg(settingsFile));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options options;
    Settings::describeOptions(parser, kArchiveOptions);
    parser.addOptions({options.channels, options.day, options.last, options.utc, options.local});
    Settings::describeOptions(parser, kDetectorOptions);
    ParsedRequest parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    parsed.help = parser.isSet(help) || parser.isSet(QStringLiteral("help-all"));
    parsed.version = parser.isSet(version);
    parsed.helpText = parser.helpText();
    if (parsed.help || parsed.version)
        return parsed;
    try {
        SettingNames taken = kArchiveOptions;
        taken.insert(taken.end(), kDetectorOptions.begin(), kDetectorOptions.end());
        const Settings settings = Settings::read(settingsFile, parser, taken);
        const archive::ArchiveSettings recorder = settings.archive();
        parsed.request.archiveRoot = recorder.root;
        parsed.request.codes = recorder.codes;
        parsed.request.detector = settings.detector();
        parsed.request.channels = parsed.request.detector.channels;
    } catch (const SettingsError& error) {
        parsed.error = QString::fromStdString(error.what());
        return parsed;
    }
    parsed.error = parseInto(parser, options, parsed.request);
    return parsed;
}

}  // namespace kelvra::eventsearch
