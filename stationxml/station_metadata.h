#pragma once

#include "recorder/constants.h"

#include <QString>

#include <array>
#include <optional>

namespace kelvra::stationxml {

// What the sensor on the inputs measures. Volts: the inputs are voltages, and the response ends at
// the converter.
enum class SensorUnits { Volts, Velocity, Acceleration };

using PerChannel = std::array<std::optional<double>, kChannelCount>;

// What the settings say of the station besides its codes. The position has no default: a document
// without it is refused.
struct StationMetadata {
    std::optional<double> latitude;   // degrees, WGS84
    std::optional<double> longitude;  // degrees, WGS84
    std::optional<double> elevation;  // metres above sea level
    QString siteName;                 // empty: the station code
    std::optional<double> sensorSensitivity;  // volts per input unit at the reference frequency
    SensorUnits sensorUnits = SensorUnits::Volts;
    std::optional<double> naturalFrequencyHz;  // a geophone's, with its damping
    std::optional<double> damping;             // fraction of critical damping
    PerChannel azimuths;  // degrees clockwise from north, CH-1..CH-4
    PerChannel dips;      // degrees down from horizontal
};

// Parsers of the settings as the settings file and the command line write them. Each returns an
// empty string on success (and fills the value in), otherwise why the text cannot be used; the
// value is then left as it was.
QString parseLatitude(const QString& text, std::optional<double>& degrees);   // -90 to below 90
QString parseLongitude(const QString& text, std::optional<double>& degrees);  // -180 to 180
QString parseElevation(const QString& text, std::optional<double>& metres);
QString parseSiteName(const QString& text, QString& name);  // not blank
QString parseSensitivity(const QString& text, std::optional<double>& voltsPerUnit);  // above 0
QString parseSensorUnits(const QString& text, SensorUnits& units);  // M/S, M/S**2 or V
QString parseNaturalFrequency(const QString& text, std::optional<double>& hz);  // above 0
QString parseDamping(const QString& text, std::optional<double>& damping);      // above 0
// A1,A2,A3,A4 and D1,D2,D3,D4: one value for each channel, an empty one left unset.
QString parseAzimuths(const QString& text, PerChannel& degrees);  // 0 to below 360
QString parseDips(const QString& text, PerChannel& degrees);      // -90 to 90

// Why no document can be written from the settings read from settingsFile (the position not
// fully given, sensor settings that do not fit together), or empty.
QString problemWith(const StationMetadata& metadata, const QString& settingsFile);

struct Orientation {
    std::optional<double> azimuth;
    std::optional<double> dip;
};

// The channel's orientation: the given values, else what its SEED orientation code (the last
// letter) says, Z up, N north and E east; the codes of components of unknown orientation
// (1, 2, 3) say nothing, and nothing is claimed for them.
Orientation orientationOf(const QString& channel, std::optional<double> azimuth, std::optional<double> dip);

}  // namespace kelvra::stationxml
