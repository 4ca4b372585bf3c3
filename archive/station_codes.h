#pragma once

#include "recorder/constants.h"

#include <QString>
#include <array>

namespace kelvra::archive {

// SEED codes under which the four channels are archived. The defaults name an unregistered
// network (XX) and a short-period, high-gain seismometer sampled at 12.5 Hz (band S,
// instrument H): the vertical on CH-1, three components of unknown orientation after it.
struct StationCodes {
    QString network = QStringLiteral("XX");
    QString station = QStringLiteral("KELV");
    QString location = QStringLiteral("00");
    std::array<QString, kChannelCount> channels{
        QStringLiteral("SHZ"), QStringLiteral("SH1"), QStringLiteral("SH2"), QStringLiteral("SH3")};
};

// Parsers of the command-line forms. Each returns an empty string on success (and fills
// codes in), otherwise a message naming what is wrong; codes are then left as they were.
// Codes are upper-cased; miniSEED 2 limits them to 2, 5, 2 and 3 letters or digits.
QString parseStation(const QString& text, StationCodes& codes);   // NET.STA.LOC, LOC may be empty
QString parseChannels(const QString& text, StationCodes& codes);  // C1,C2,C3,C4
QString parseChannel(const QString& text, QString& channel);        // one channel code

// $XDG_DATA_HOME/kelvra/archive.
QString defaultArchiveRoot();

}  // namespace kelvra::archive
