#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

class QCommandLineParser;

namespace kelvra::tools {

// The time a tool looks at, as --day, --last, --utc and --local ask for it.
struct TimeSpan {
    // Without a day, the last `lastHours` up to now; without either, today.
    std::optional<QDate> day;
    std::optional<double> lastHours;
    // The clock the day's midnights are taken on.
    Qt::TimeSpec clock = Qt::LocalTime;

    QDate dayOrToday(const QDateTime& now) const { return day.value_or(now.toTimeSpec(clock).date()); }
};

// Reads --day YYYY-MM-DD, --last HOURS (at most a week), --utc and --local, which the caller has
// added to the parser with texts of its own. Empty on success, otherwise why the options cannot
// be used.
QString parseTimeSpan(const QCommandLineParser& parser, TimeSpan& span);

}  // namespace kelvra::tools
