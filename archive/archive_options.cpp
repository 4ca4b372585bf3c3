#include "archive/archive_options.h"

#include "archive/messages.h"

namespace kelvra::archive {
namespace {

QString dashed(const QCommandLineOption& option) { return QStringLiteral("--") + option.names().constFirst(); }

}  // namespace

ArchiveOptions::ArchiveOptions()
    : archive_(QStringLiteral("archive"), messages::archiveOption().arg(defaultArchiveRoot()), QStringLiteral("DIR")),
      noArchive_(QStringLiteral("no-archive"), messages::noArchiveOption()),
      station_(QStringLiteral("station"), messages::stationOption(), QStringLiteral("NET.STA.LOC")),
      channels_(QStringLiteral("channels"), messages::channelsOption(), QStringLiteral("C1,C2,C3,C4")),
      keepDays_(QStringLiteral("keep-days"), messages::keepDaysOption(), QStringLiteral("N"))
{
}

void ArchiveOptions::addTo(QCommandLineParser& parser) const
{
    parser.addOptions({archive_, noArchive_, station_, channels_, keepDays_});
}

QString ArchiveOptions::read(const QCommandLineParser& parser, ArchiveSettings& settings) const
{
    if (parser.isSet(archive_) && parser.isSet(noArchive_))
        return messages::optionsExclude(dashed(archive_), dashed(noArchive_));
    settings.enabled = !parser.isSet(noArchive_);
    if (parser.isSet(archive_)) {
        const QString folder = parser.value(archive_);
        if (folder.isEmpty())
            return messages::badOptionValue(dashed(archive_), folder, messages::emptyFolder());
        settings.root = folder;
    }
    if (parser.isSet(station_)) {
        const QString value = parser.value(station_);
        if (const QString why = parseStation(value, settings.codes); !why.isEmpty())
            return messages::badOptionValue(dashed(station_), value, why);
    }
    if (parser.isSet(channels_)) {
        const QString value = parser.value(channels_);
        if (const QString why = parseChannels(value, settings.codes); !why.isEmpty())
            return messages::badOptionValue(dashed(channels_), value, why);
    }
    if (parser.isSet(keepDays_)) {
        const QString value = parser.value(keepDays_);
        bool whole = false;
        const int days = value.toInt(&whole);
        if (!whole || days < 1)
            return messages::badOptionValue(dashed(keepDays_), value, messages::notWholeDays());
        settings.keepDays = days;
    }
    return {};
}

}  // namespace kelvra::archive
