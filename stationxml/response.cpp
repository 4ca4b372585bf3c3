#include "stationxml/response.h"

#include <cmath>

namespace kelvra::stationxml {

QString unitsName(SensorUnits units)
{
    switch (units) {
    case SensorUnits::Velocity:
        return QStringLiteral("M/S");
    case SensorUnits::Acceleration:
        return QStringLiteral("M/S**2");
    case SensorUnits::Volts:
        break;
    }
    return QStringLiteral("V");
}

double magnitudeAt(const PolesZeros& stage, double frequencyHz)
{
    const std::complex<double> s(0.0, 2 * M_PI * frequencyHz);
    std::complex<double> h = stage.normalizationFactor;
    for (const auto& zero : stage.zeros)
        h *= s - zero;
    for (const auto& pole : stage.poles)
        h /= s - pole;
    return std::abs(h);
}

PolesZeros geophone(double naturalFrequencyHz, double damping)
{
    const double w0 = 2 * M_PI * naturalFrequencyHz;
    const std::complex<double> root = std::sqrt(std::complex<double>(damping * damping - 1.0));
    PolesZeros stage{{0.0, 0.0}, {w0 * (-damping + root), w0 * (-damping - root)}, 1.0};
    stage.normalizationFactor = 1.0 / magnitudeAt(stage, kReferenceHz);
    return stage;
}

SensorUnits ChannelResponse::inputUnits() const { return sensor ? sensor->units : SensorUnits::Volts; }

double ChannelResponse::countsPerUnit() const { return (sensor ? sensor->voltsPerUnit : 1.0) * kCountsPerVolt; }

ChannelResponse responseOf(const StationMetadata& metadata)
{
    if (metadata.sensorUnits == SensorUnits::Volts)
        return {};
    SensorStage sensor{metadata.sensorUnits, metadata.sensorSensitivity.value_or(1.0), {}};
    if (metadata.naturalFrequencyHz && metadata.damping)
        sensor.polesZeros = geophone(*metadata.naturalFrequencyHz, *metadata.damping);
    return {sensor};
}

}  // namespace kelvra::stationxml
