#pragma once

#include "archive/station_codes.h"
#include "recorder/constants.h"
#include "stationxml/station_metadata.h"

#include <QDateTime>
#include <QString>

#include <array>

class QIODevice;

namespace kelvra::stationxml {

// Everything one FDSN StationXML document of the station holds.
struct StationDocument {
    archive::StationCodes codes;
    StationMetadata metadata;  // taken to have passed problemWith
    std::array<QDateTime, kChannelCount> channelStarts;
    QDateTime created;
    QString module;  // the program and its version
};

// Writes the document as FDSN StationXML 1.2: one network, one station, its four channels with
// their responses. False where the device could not be written.
bool writeStationXml(QIODevice& device, const StationDocument& document);

}  // namespace kelvra::stationxml
