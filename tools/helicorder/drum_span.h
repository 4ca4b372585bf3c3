#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>

namespace kelvra::helicorder {

constexpr qint64 kMicrosPerSecond = 1000000;

// The time one page shows: whole lines of equal length from a start instant, labelled in UTC or in
// local time. A local day is cut at local midnights, so it can span two UTC day files.
class DrumSpan {
public:
    static DrumSpan day(QDate day, Qt::TimeSpec labels, int minutesPerLine);
    // From `hours` before `now`, taken back to a line boundary on the labels' clock, up to `now`.
    static DrumSpan lastHours(const QDateTime& now, double hours, Qt::TimeSpec labels, int minutesPerLine);

    // Microseconds since 1970 UTC, the time base of miniSEED readers.
    qint64 startMicros() const { return startMicros_; }
    qint64 endMicros() const { return endMicros_; }
    qint64 lineMicros() const { return qint64(minutesPerLine_) * 60 * kMicrosPerSecond; }
    int lineCount() const;
    int minutesPerLine() const { return minutesPerLine_; }
    Qt::TimeSpec labels() const { return labels_; }

    QDateTime at(qint64 micros) const;  // on the labels' clock
    QDateTime lineStart(int line) const { return at(startMicros_ + line * lineMicros()); }
    // The UTC days whose day files hold the span.
    QList<QDate> utcDays() const;

private:
    DrumSpan(const QDateTime& start, const QDateTime& end, Qt::TimeSpec labels, int minutesPerLine);

    qint64 startMicros_;
    qint64 endMicros_;
    Qt::TimeSpec labels_;
    int minutesPerLine_;
};

}  // namespace kelvra::helicorder
