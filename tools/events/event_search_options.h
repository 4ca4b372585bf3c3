#pragma once

#include "archive/station_codes.h"
#include "detector/detector_settings.h"
#include "tools/common/time_span.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kelvra::eventsearch {

// What to search and how, as the settings file and the command line ask for it.
struct SearchRequest {
    QString archiveRoot = archive::defaultArchiveRoot();
    archive::StationCodes codes;
    QStringList channels;  // in the station's order
    tools::TimeSpan when;
    detector::DetectorSettings detector;

    // The instants from and up to which events are listed.
    QDateTime start(const QDateTime& now) const;
    QDateTime end(const QDateTime& now) const;
};

struct ParsedRequest {
    SearchRequest request;
    QString error;  // empty when the command line was accepted
    bool help = false;
    bool version = false;
    QString helpText;
};

// `arguments` includes the program name. The settings file gives the archive folder, station,
// channels and the detector's settings where the command line does not.
ParsedRequest parseRequest(const QStringList& arguments, const QString& settingsFile);

}  // namespace kelvra::eventsearch
