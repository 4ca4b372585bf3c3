#include "tools/helicorder/drum_span.h"

namespace kelvra::helicorder {

DrumSpan::DrumSpan(const QDateTime& start, const QDateTime& end, Qt::TimeSpec labels, int minutesPerLine)
    : startMicros_(start.toMSecsSinceEpoch() * 1000),
      endMicros_(end.toMSecsSinceEpoch() * 1000),
      labels_(labels),
      minutesPerLine_(minutesPerLine)
{
}

DrumSpan DrumSpan::day(QDate day, Qt::TimeSpec labels, int minutesPerLine)
{
    return DrumSpan(QDateTime(day, QTime(0, 0), labels), QDateTime(day.addDays(1), QTime(0, 0), labels), labels,
                    minutesPerLine);
}

DrumSpan DrumSpan::lastHours(const QDateTime& now, double hours, Qt::TimeSpec labels, int minutesPerLine)
{
    const QDateTime from = now.addMSecs(-qint64(hours * 3600.0 * 1000.0)).toTimeSpec(labels);
    const int minute = from.time().minute() / minutesPerLine * minutesPerLine;
    const QDateTime start(from.date(), QTime(from.time().hour(), minute), labels);
    return DrumSpan(start, now, labels, minutesPerLine);
}

int DrumSpan::lineCount() const
{
    return int((endMicros_ - startMicros_ + lineMicros() - 1) / lineMicros());
}

QDateTime DrumSpan::at(qint64 micros) const
{
    return QDateTime::fromMSecsSinceEpoch(micros / 1000, labels_);
}

QList<QDate> DrumSpan::utcDays() const
{
    const QDate first = QDateTime::fromMSecsSinceEpoch(startMicros_ / 1000, Qt::UTC).date();
    const QDate last = QDateTime::fromMSecsSinceEpoch((endMicros_ - 1) / 1000, Qt::UTC).date();
    QList<QDate> days;
    for (QDate d = first; d <= last; d = d.addDays(1))
        days.append(d);
    return days;
}

}  // namespace kelvra::helicorder
