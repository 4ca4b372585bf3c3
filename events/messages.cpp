#include "events/messages.h"

#include <QCoreApplication>

namespace kelvra::events::messages {
QString eventFound(const QString& onset, const QString& end, const QString& channels, double peakRatio,
                   qint64 peakCounts, const QString& listPath)
{
    return QCoreApplication::translate("kelvra::Events", "Event from %1 to %2 on %3, STA/LTA up to %4, %5 counts at most; listed in %6.")
        .arg(onset, end, channels, QString::number(peakRatio, 'f', 2), QString::number(peakCounts), listPath);
}

QString noticeSummary() { return QCoreApplication::translate("kelvra::Events", "KELVRA: an event was recorded"); }

QString noticeBody(const QString& onset, const QString& channels, double peakRatio)
{
    return QCoreApplication::translate("kelvra::Events", "%1 on %2, STA/LTA up to %3").arg(onset, channels, QString::number(peakRatio, 'f', 2));
}

QString listNotWritten(const QString& why)
{
    return QCoreApplication::translate("kelvra::Events", "An event could not be added to the event list: %1. Recording goes on.").arg(why);
}

QString fileNotWritten(const QString& why) { return QCoreApplication::translate("kelvra::Events", "An event's miniSEED file could not be written: %1.").arg(why); }

QString commandFailed(const QString& command, const QString& why)
{
    return QCoreApplication::translate("kelvra::Events", "The on_event command \"%1\" failed: %2. Later failures of it are not reported.").arg(command, why);
}

QString exitStatus(int status) { return QCoreApplication::translate("kelvra::Events", "it ended with status %1").arg(status); }

QString endedBySignal(int signal) { return QCoreApplication::translate("kelvra::Events", "it was ended by signal %1").arg(signal); }

QString notAChannelOfTheStation(const QString& code, const QStringList& channels)
{
    return QCoreApplication::translate("kelvra::Events", "detect_channels names %1, which is not one of the station's channels (%2).")
        .arg(code, channels.join(QStringLiteral(", ")));
}

QString settingsDoNotWork(const QString& problem) { return QCoreApplication::translate("kelvra::Events", "The event detector cannot work with its settings: %1.").arg(problem); }

}  // namespace kelvra::events::messages
