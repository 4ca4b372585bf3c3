#include "tools/events/event_search_options.h"

#include "archive/sds_layout.h"
#include "settings/settings_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace kelvra::eventsearch {
namespace {

struct Options {
    archive::StationCodes defaults;
    QCommandLineOption archive{QStringLiteral("archive"),
                               QCoreApplication::translate("Events", "archive folder (default: %1)")
                                   .arg(archive::defaultArchiveRoot()),
                               QCoreApplication::translate("Events", "DIR")};
    QCommandLineOption station{QStringLiteral("station"),
                               QCoreApplication::translate("Events", "station codes (default: %1)")
                                   .arg(archive::SdsLayout::streamId(defaults)),
                               QCoreApplication::translate("Events", "NET.STA.LOC")};
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

// The recorder's detector settings that the search takes as options, under the same names and
// with the same checks as the recorder's settings table.
struct DetectorOption {
    const char* key;
    QString (*apply)(const QString& text, detector::DetectorSettings& settings);
};

const DetectorOption kDetectorOptions[] = {
    {"detect_band",
     [](const QString& text, detector::DetectorSettings& s) {
         std::pair<double, double> band;
         const QString error = detector::parseBand(text, band);
         if (error.isEmpty())
             std::tie(s.lowHz, s.highHz) = band;
         return error;
     }},
    {"detect_sta", [](const QString& text, detector::DetectorSettings& s) { return detector::parseSeconds(text, s.staSeconds); }},
    {"detect_lta", [](const QString& text, detector::DetectorSettings& s) { return detector::parseSeconds(text, s.ltaSeconds); }},
    {"detect_on", [](const QString& text, detector::DetectorSettings& s) { return detector::parseRatio(text, s.onRatio); }},
    {"detect_off", [](const QString& text, detector::DetectorSettings& s) { return detector::parseRatio(text, s.offRatio); }},
    {"detect_min_channels",
     [](const QString& text, detector::DetectorSettings& s) { return detector::parseMinChannels(text, s.minChannels); }},
};

const SettingKey& settingKey(const char* key)
{
    const auto& keys = settingKeys();
    return *std::find_if(keys.begin(), keys.end(), [key](const SettingKey& k) { return std::strcmp(k.key, key) == 0; });
}

QCommandLineOption optionOf(const SettingKey& key)
{
    return QCommandLineOption(QString::fromLatin1(key.option), key.description(), QString::fromLatin1(key.valueName));
}

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
    if (parser.isSet(o.archive))
        r.archiveRoot = parser.value(o.archive);
    if (parser.isSet(o.station))
        if (const QString error = archive::parseStation(parser.value(o.station), r.codes); !error.isEmpty())
            return error;
    if (parser.isSet(o.channels))
        if (const QString error = detector::parseChannelList(parser.value(o.channels), r.channels); !error.isEmpty())
            return error;
    if (const QString error = tools::parseTimeSpan(parser, r.when); !error.isEmpty())
        return error;
    for (const DetectorOption& option : kDetectorOptions) {
        const SettingKey& key = settingKey(option.key);
        const QString name = QString::fromLatin1(key.option);
        if (!parser.isSet(name))
            continue;
        if (const QString error = option.apply(parser.value(name), r.detector); !error.isEmpty())
            return QCoreApplication::translate("Events", "--%1 \"%2\": %3").arg(name, parser.value(name), error);
    }
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
    parser.addOptions({options.archive, options.station, options.channels, options.day, options.last, options.utc,
                       options.local});
    for (const DetectorOption& option : kDetectorOptions)
        parser.addOption(optionOf(settingKey(option.key)));
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
        const Settings settings = Settings::readFile(settingsFile);
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
