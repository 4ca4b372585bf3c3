#pragma once

#include "archive/station_codes.h"
#include "tools/helicorder/drum_span.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvra::helicorder {

enum class PageFormat { Png, Svg };

// What to draw and where, as the settings file and the command line ask for it.
struct HelicorderRequest {
    QString archiveRoot = archive::defaultArchiveRoot();
    archive::StationCodes codes;
    QString channel = codes.channels[0];
    // Without a day, the last `lastHours` up to now; without either, today.
    std::optional<QDate> day;
    std::optional<double> lastHours;
    int minutesPerLine = 15;
    // Counts per line spacing; chosen from the background when not given.
    std::optional<double> scale;
    Qt::TimeSpec labels = Qt::LocalTime;
    QString output;
    PageFormat format = PageFormat::Png;
    // The event list to mark; without it the station's list in the archive, where there is one.
    std::optional<QString> eventList;

    DrumSpan span(const QDateTime& now) const;
};

struct ParsedRequest {
    HelicorderRequest request;
    QString error;  // empty when the command line was accepted
    bool help = false;
    bool version = false;
    QString helpText;
};

// `arguments` includes the program name, as QCoreApplication::arguments() gives it. The settings
// file gives the archive folder, station and channel where the command line does not.
ParsedRequest parseRequest(const QStringList& arguments, const QString& settingsFile);

}  // namespace kelvra::helicorder
