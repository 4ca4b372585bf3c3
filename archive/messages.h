#pragma once

#include <QString>

// Every text the archive shows or prints, in one place for translation.
namespace kelvra::archive::messages {

QString notWholeDays();
QString emptyFolder();
QString notASwitch();
QString optionsExclude(const QString& first, const QString& second);

QString cannotWrite(const QString& path, const QString& reason);
QString fileRemoved();
QString cannotPack();
QString stationInUse(const QString& station, const QString& folder);
QString resumed(const QString& root);

// --help
QString archiveOption();
QString noArchiveOption();
QString stationOption();
QString channelsOption();
QString keepDaysOption();

}  // namespace kelvra::archive::messages
