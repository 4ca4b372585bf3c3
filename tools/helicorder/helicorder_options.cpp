#include "tools/helicorder/helicorder_options.h"

#include "settings/settings_file.h"
#include "tools/common/time_span.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>

namespace kelvra::helicorder {
namespace {

// The recorder's settings that the helicorder takes as options too, with the recorder's texts and checks.
const SettingNames kArchiveOptions{"archive", "station"};

struct Options {
    archive::StationCodes defaults;
    QCommandLineOption channel{QStringLiteral("channel"), QCoreApplication::translate("Helicorder", "channel code (default: %1)").arg(defaults.channels[0]),
                               QCoreApplication::translate("Helicorder", "CHA")};
    QCommandLineOption day{QStringLiteral("day"), QCoreApplication::translate("Helicorder", "the day to draw (default: today)"), QCoreApplication::translate("Helicorder", "YYYY-MM-DD")};
    QCommandLineOption last{QStringLiteral("last"), QCoreApplication::translate("Helicorder", "draw the last HOURS up to now instead of a day (at most 168)"),
                            QCoreApplication::translate("Helicorder", "HOURS")};
    QCommandLineOption minutes{QStringLiteral("minutes-per-line"), QCoreApplication::translate("Helicorder", "15, 30 or 60 minutes a line (default: 15)"),
                               QCoreApplication::translate("Helicorder", "MINUTES")};
    QCommandLineOption scale{QStringLiteral("scale"),
                             QCoreApplication::translate("Helicorder", "counts per line spacing, or auto to choose from the day's background (default: auto)"),
                             QCoreApplication::translate("Helicorder", "COUNTS")};
    QCommandLineOption utc{QStringLiteral("utc"), QCoreApplication::translate("Helicorder", "days and line labels in UTC")};
    QCommandLineOption local{QStringLiteral("local"), QCoreApplication::translate("Helicorder", "days and line labels in local time (default)")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")}, QCoreApplication::translate("Helicorder", "the picture to write, .png or .svg"),
                              QCoreApplication::translate("Helicorder", "FILE")};
    QCommandLineOption events{QStringLiteral("events"),
                              QCoreApplication::translate("Helicorder", "the event list whose events to mark (default: events/NET.STA.LOC.csv in the archive folder, where there is one)"),
                              QCoreApplication::translate("Helicorder", "FILE")};
};

QString parseInto(const QCommandLineParser& parser, const Options& o, HelicorderRequest& r)
{
    if (!parser.positionalArguments().isEmpty())
        return QCoreApplication::translate("Helicorder", "unexpected argument \"%1\"").arg(parser.positionalArguments().first());
    if (parser.isSet(o.channel))
        if (const QString error = archive::parseChannel(parser.value(o.channel), r.channel); !error.isEmpty())
            return error;
    tools::TimeSpan when;
    if (const QString error = tools::parseTimeSpan(parser, when); !error.isEmpty())
        return error;
    r.day = when.day;
    r.lastHours = when.lastHours;
    r.labels = when.clock;
    if (parser.isSet(o.minutes)) {
        r.minutesPerLine = parser.value(o.minutes).toInt();
        if (r.minutesPerLine != 15 && r.minutesPerLine != 30 && r.minutesPerLine != 60)
            return QCoreApplication::translate("Helicorder", "--minutes-per-line \"%1\" is not 15, 30 or 60").arg(parser.value(o.minutes));
    }
    if (parser.isSet(o.scale) && parser.value(o.scale) != QLatin1String("auto")) {
        bool ok = false;
        r.scale = parser.value(o.scale).toDouble(&ok);
        if (!ok || !(*r.scale > 0.0) || std::isinf(*r.scale))
            return QCoreApplication::translate("Helicorder", "--scale \"%1\" is neither a positive number of counts nor auto").arg(parser.value(o.scale));
    }
    r.output = parser.value(o.output);
    if (r.output.isEmpty())
        return QCoreApplication::translate("Helicorder", "no picture to write: give -o FILE.png or -o FILE.svg");
    if (parser.isSet(o.events)) {
        r.eventList = parser.value(o.events);
        if (r.eventList->isEmpty())
            return QCoreApplication::translate("Helicorder", "--events needs the path of an event list");
    }
    if (r.output.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        r.format = PageFormat::Svg;
    else if (!r.output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return QCoreApplication::translate("Helicorder", "picture \"%1\" does not end in .png or .svg").arg(r.output);
    return {};
}

}  // namespace

DrumSpan HelicorderRequest::span(const QDateTime& now) const
{
    if (lastHours)
        return DrumSpan::lastHours(now, *lastHours, labels, minutesPerLine);
    return DrumSpan::day(day.value_or(now.toTimeSpec(labels).date()), labels, minutesPerLine);
}

ParsedRequest parseRequest(const QStringList& arguments, const QString& settingsFile)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("Helicorder", "Draws a day of the seismic archive as a drum record (helicorder).\n"
                                                  "The archive folder, station and channel default to the recorder's "
                                                  "settings in %1.")
            .arg(settingsFile));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options options;
    Settings::describeOptions(parser, kArchiveOptions);
    parser.addOptions({options.channel, options.day, options.last, options.minutes,
                       options.scale, options.utc, options.local, options.output, options.events});
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
        const archive::ArchiveSettings recorder = Settings::read(settingsFile, parser, kArchiveOptions).archive();
        parsed.request.archiveRoot = recorder.root;
        parsed.request.codes = recorder.codes;
        parsed.request.channel = recorder.codes.channels[0];
    } catch (const SettingsError& error) {
        parsed.error = QString::fromStdString(error.what());
        return parsed;
    }
    parsed.error = parseInto(parser, options, parsed.request);
    return parsed;
}

}  // namespace kelvra::helicorder
