#include "archive/messages.h"

#include "archive/sds_layout.h"
#include "archive/station_codes.h"

#include <QCoreApplication>
#include <QStringList>

namespace kelvra::archive::messages {
QString notWholeDays() { return QCoreApplication::translate("Archive", "not a whole number of days from 1 up"); }

QString emptyFolder() { return QCoreApplication::translate("Archive", "no folder given"); }

QString notASwitch() { return QCoreApplication::translate("Archive", "neither true nor false"); }

QString optionsExclude(const QString& first, const QString& second)
{
    return QCoreApplication::translate("Archive", "%1 and %2 cannot be given together").arg(first, second);
}

QString cannotWrite(const QString& path, const QString& reason)
{
    return QCoreApplication::translate(
               "Archive",
               "The archive cannot be written: %1: %2.\nRecording goes on; the samples are kept in memory, up to a "
               "day, and written once the archive can be written again, which is tried every few seconds.")
        .arg(path, reason);
}

QString fileRemoved() { return QCoreApplication::translate("Archive", "the file was removed while in use"); }

QString tornTailCut(const QString& path, qint64 bytes)
{
    return QCoreApplication::translate("Archive",
                                       "%1 ended in %2 bytes of a torn record, left by a recorder that was stopped "
                                       "while writing; they were cut off so that readers see what follows.")
        .arg(path)
        .arg(bytes);
}

QString cannotPack()
{
    return QCoreApplication::translate("Archive", "The archive could not pack its samples into miniSEED records.");
}

QString stationInUse(const QString& station, const QString& folder)
{
    return QCoreApplication::translate(
               "Archive",
               "Another recorder is already archiving station %1 in %2.\nThis one records on screen only and keeps "
               "no archive.")
        .arg(station, folder);
}

QString resumed(const QString& root, std::int64_t written, std::int64_t dropped)
{
    return QCoreApplication::translate("Archive",
                                       "The archive in %1 is written again. %2 samples kept in memory meanwhile "
                                       "were written; %3 older ones did not fit and were dropped.")
        .arg(root, QString::number(written), QString::number(dropped));
}

QString notWritten(std::int64_t samples)
{
    return QCoreApplication::translate("Archive", "%1 samples kept in memory could not be written to the archive.")
        .arg(samples);
}

QString clockWentBack(double seconds)
{
    return QCoreApplication::translate("Archive",
                                       "The system clock went back by %1 s. The archive keeps the samples of both "
                                       "times, so the day files hold that much twice over.")
        .arg(seconds, 0, 'f', 1);
}

QString removedDays(int days, const QString& root)
{
    return QCoreApplication::translate("Archive",
                                       "--keep-days removed the day files of %1 days at once from %2. If the system "
                                       "clock is wrong, set it right.")
        .arg(days)
        .arg(root);
}

QString takenAndLeftOut(std::int64_t taken, const GapCounts& gaps)
{
    std::int64_t left = 0;
    for (const std::int64_t count : gaps)
        left += count;
    return QCoreApplication::translate("Archive",
                                       "The archive took %1 readings; %2 requests left a gap: %3 without a reply, %4 "
                                       "not a number, %5 out of range, %6 cut short, %7 uncertain after an "
                                       "unanswered request.")
        .arg(QString::number(taken), QString::number(left), QString::number(gaps[0]), QString::number(gaps[1]),
             QString::number(gaps[2]), QString::number(gaps[3]), QString::number(gaps[4]));
}

QString archiveOption()
{
    return QCoreApplication::translate("Archive", "folder of the miniSEED archive (default %1)")
        .arg(defaultArchiveRoot());
}

QString noArchiveOption() { return QCoreApplication::translate("Archive", "keep no archive"); }

QString stationOption()
{
    const StationCodes defaults;
    return QCoreApplication::translate("Archive", "network, station and location codes of the archive (default %1)")
        .arg(SdsLayout::streamId(defaults));
}

QString channelsOption()
{
    const StationCodes defaults;
    return QCoreApplication::translate("Archive", "channel codes of CH-1..CH-4 in the archive (default %1)")
        .arg(QStringList(defaults.channels.begin(), defaults.channels.end()).join(u','));
}

QString keepDaysOption()
{
    return QCoreApplication::translate("Archive",
                                       "remove day files older than N days from the archive (default: keep all)");
}

}  // namespace kelvra::archive::messages
