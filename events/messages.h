#pragma once

#include <QString>
#include <QStringList>

// Every text the recorder gives of the events it finds, in one place for translation.
namespace kelvra::events::messages {

// Standard error; times as the event list writes them.
QString eventFound(const QString& onset, const QString& end, const QString& channels, double peakRatio,
                   qint64 peakCounts, const QString& listPath);
// The desktop notice.
QString noticeSummary();
QString noticeBody(const QString& onset, const QString& channels, double peakRatio);

QString listNotWritten(const QString& why);
QString fileNotWritten(const QString& why);
QString commandFailed(const QString& command, const QString& why);
QString exitStatus(int status);
QString endedBySignal(int signal);

// Settings the recorder cannot detect with.
QString notAChannelOfTheStation(const QString& code, const QStringList& channels);
QString settingsDoNotWork(const QString& problem);

}  // namespace kelvra::events::messages
