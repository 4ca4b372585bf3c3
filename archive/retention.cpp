#include "archive/retention.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace kelvra::archive {

std::map<QDate, QStringList> stationDayFiles(const QString& root, const StationCodes& codes)
{
    std::map<QDate, QStringList> days;
    const QString prefix = codes.network + u'.' + codes.station + u'.' + codes.location + u'.';
    for (const QString& yearName : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const int year = yearName.toInt(&isNumber);
        if (!isNumber || !QDate(year, 1, 1).isValid())
            continue;
        for (const QString& channel : codes.channels) {
            const QString folder = stationYearFolder(root, codes, year) + u'/' + channel + QStringLiteral(".D");
            const QString dayPrefix = prefix + channel + QStringLiteral(".D.");
            for (const QString& name : QDir(folder).entryList({dayPrefix + u'*'}, QDir::Files)) {
                const int dayOfYear = name.section(u'.', -1).toInt(&isNumber);
                if (!isNumber || dayOfYear < 1 || dayOfYear > QDate(year, 1, 1).daysInYear())
                    continue;
                const QDate day = QDate(year, 1, 1).addDays(dayOfYear - 1);
                // Only a name exactly as the recorder writes it: "0", "-0" or "+0" is no year.
                const QString path = dayFilePath(root, codes, channel, day);
                if (path == folder + u'/' + name)
                    days[day].append(path);
            }
        }
    }
    return days;
}

Retention::Retention(QString root, StationCodes codes, int keepDays)
    : root_(std::move(root)), codes_(std::move(codes)), keepDays_(keepDays)
{
}

int Retention::atStart(QDate today) const { return remove(today.addDays(-keepDays_), keepDays_); }

int Retention::atMidnight(QDate today) const { return remove(today.addDays(-keepDays_), 0); }

int Retention::remove(QDate firstKept, int keptWithData) const
{
    const std::map<QDate, QStringList> days = stationDayFiles(root_, codes_);
    int removed = 0;
    int withData = 0;
    for (auto day = days.rbegin(); day != days.rend(); ++day) {
        const bool holdsData = std::any_of(day->second.begin(), day->second.end(),
                                           [](const QString& path) { return QFileInfo(path).size() > 0; });
        if (day->first < firstKept && (withData >= keptWithData || !holdsData)) {
            bool any = false;
            for (const QString& path : day->second)
                any = QFile::remove(path) || any;
            removed += any ? 1 : 0;
        } else if (holdsData) {
            ++withData;
        }
    }
    return removed;
}

}  // namespace kelvra::archive
