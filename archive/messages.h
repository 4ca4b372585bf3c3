#pragma once

#include "recorder/sample_sink.h"

#include <QString>
#include <cstdint>

// Every text the archive shows or prints, in one place for translation.
namespace kelvra::archive::messages {



QString notWholeDays();
QString emptyFolder();
QString notASwitch();
QString optionsExclude(const QString& first, const QString& second);

QString cannotWrite(const QString& path, const QString& reason);
QString fileRemoved();
QString tornTailCut(const QString& path, qint64 bytes);
QString cannotPack();
QString stationInUse(const QString& station, const QString& folder);
QString resumed(const QString& root, std::int64_t written, std::int64_t dropped);
QString notWritten(std::int64_t samples);
QString clockWentBack(double seconds);
QString removedDays(int days, const QString& root);
// At exit: readings handed to the archive, and the requests that left a gap, by GapReason.
QString takenAndLeftOut(std::int64_t taken, const GapCounts& gaps);

// --help
QString archiveOption();
QString noArchiveOption();
QString stationOption();
QString channelsOption();
QString keepDaysOption();

}  // namespace kelvra::archive::messages
