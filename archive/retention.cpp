#include "archive/retention.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <map>
#include <utility>

namespace kelvra::archive {
namespace {

// The station's day files on disk by the UTC day their names give.
std::map<QDate, QStringList> stationDayFiles(const SdsLayout& layout, const StationCodes& codes)
{
    std::map<QDate, QStringList> days;
    for (const QString& channel : codes.channels)
        for (const QDate& day : layout.daysPresent(codes, channel))
            days[day].append(layout.dayFile(codes, channel, day));
    return days;
}

}  // namespace

Retention::Retention(SdsLayout layout, StationCodes codes, int keepDays)
    : layout_(std::move(layout)), codes_(std::move(codes)), keepDays_(keepDays)
{
}

int Retention::atStart(QDate today) const { return remove(today.addDays(-keepDays_), keepDays_); }

int Retention::atMidnight(QDate today) const { return remove(today.addDays(-keepDays_), 0); }

int Retention::remove(QDate firstKept, int keptWithData) const
{
    const std::map<QDate, QStringList> days = stationDayFiles(layout_, codes_);
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
