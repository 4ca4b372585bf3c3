#pragma once

#include "recorder/constants.h"
#include "stationxml/station_metadata.h"

#include <QString>

#include <complex>
#include <optional>
#include <vector>

namespace kelvra::stationxml {

// Where every stage's gain and the channel's sensitivity are given: above the natural frequency of
// the common 4.5 Hz geophones, where their output follows ground velocity, and below 6.25 Hz, the
// Nyquist frequency of the archive's 12.5 samples a second.
inline constexpr double kReferenceHz = 5.0;

// The board's converter as the window reads it: full scale in counts for full scale in volts.
inline constexpr double kCountsPerVolt = kBoardFullScale / kFullScaleVolts;

// "M/S", "M/S**2" or "V", as SEED and ObsPy name them.
QString unitsName(SensorUnits units);

// An analogue stage in the Laplace domain, in radians a second, scaled by its normalization
// factor to a gain of 1 at kReferenceHz.
struct PolesZeros {
    std::vector<std::complex<double>> zeros;
    std::vector<std::complex<double>> poles;
    double normalizationFactor = 1.0;
};

// |A0 · Π(s − z) / Π(s − p)| at s = 2πi·f.
double magnitudeAt(const PolesZeros& stage, double frequencyHz);

// A geophone's velocity response: two zeros at the origin and the two poles of a damped oscillator,
// ω0·(−h ± √(h² − 1)) with ω0 = 2π·f0, a complex pair below critical damping.
PolesZeros geophone(double naturalFrequencyHz, double damping);

struct SensorStage {
    SensorUnits units;
    double voltsPerUnit;  // at kReferenceHz
    PolesZeros polesZeros;  // none for a sensor with a flat response
};

// A channel's response: the sensor, where one is given, then the converter.
struct ChannelResponse {
    std::optional<SensorStage> sensor;

    SensorUnits inputUnits() const;
    double countsPerUnit() const;  // at kReferenceHz
};

// The response the settings describe; they are taken to have passed problemWith.
ChannelResponse responseOf(const StationMetadata& metadata);

}  // namespace kelvra::stationxml
