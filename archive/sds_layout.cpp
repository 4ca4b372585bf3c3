#include "archive/sds_layout.h"

#include <QDir>

#include <algorithm>

namespace kelvra::archive {
namespace {

// %1 root, %2 year, %3 network, %4 station, %5 channel, %6 location, %7 day of the year; the
// letter D is the SDS type of waveform data. Filled in one pass, so a root holding "%2" stays.
constexpr auto kDayFile = "%1/%2/%3/%4/%5.D/%3.%4.%6.%5.D.%2.%7";
constexpr auto kStream = "%1.%2.%3";
constexpr auto kChannelStream = "%1.%2.%3.%4";

// The folders are the day file's path less its last parts; codes hold no slash.
QString withoutLastParts(const QString& path, int parts)
{
    qsizetype end = path.size();
    for (int i = 0; i < parts; ++i)
        end = path.lastIndexOf(u'/', end - 1);
    return path.left(end);
}

}  // namespace

SdsLayout::SdsLayout(const QString& root) : root_(QDir::cleanPath(root)) {}

QString SdsLayout::dayFile(const StationCodes& codes, const QString& channel, QDate utcDay) const
{
    return QString::fromLatin1(kDayFile)
        .arg(root_, QString::number(utcDay.year()), codes.network, codes.station, channel, codes.location,
             QStringLiteral("%1").arg(utcDay.dayOfYear(), 3, 10, QLatin1Char('0')));
}

QString SdsLayout::channelYearFolder(const StationCodes& codes, const QString& channel, int year) const
{
    return withoutLastParts(dayFile(codes, channel, QDate(year, 1, 1)), 1);
}

QString SdsLayout::stationYearFolder(const StationCodes& codes, int year) const
{
    return withoutLastParts(dayFile(codes, QString(), QDate(year, 1, 1)), 2);
}

std::vector<QDate> SdsLayout::daysPresent(const StationCodes& codes, const QString& channel) const
{
    std::vector<QDate> days;
    for (const QString& yearName : QDir(root_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort)) {
        bool isNumber = false;
        const QDate firstDay(yearName.toInt(&isNumber), 1, 1);
        // "02024" or "+2024" would list 2024 twice.
        if (!isNumber || !firstDay.isValid() || QString::number(firstDay.year()) != yearName)
            continue;
        const QString folder = channelYearFolder(codes, channel, firstDay.year());
        for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::NoSort)) {
            const int dayOfYear = name.section(u'.', -1).toInt(&isNumber);
            if (!isNumber || dayOfYear < 1 || dayOfYear > firstDay.daysInYear())
                continue;
            const QDate day = firstDay.addDays(dayOfYear - 1);
            // Only a name exactly as written: "5" is no day, and another location's files share
            // the folder.
            if (dayFile(codes, channel, day) == folder + u'/' + name)
                days.push_back(day);
        }
    }
    std::sort(days.begin(), days.end());
    return days;
}

QString SdsLayout::streamId(const StationCodes& codes)
{
    return QString::fromLatin1(kStream).arg(codes.network, codes.station, codes.location);
}

QString SdsLayout::streamId(const StationCodes& codes, const QString& channel)
{
    return QString::fromLatin1(kChannelStream).arg(codes.network, codes.station, codes.location, channel);
}

}  // namespace kelvra::archive
