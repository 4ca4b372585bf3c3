#include "stationxml/station_metadata.h"

#include "stationxml/messages.h"
#include "settings/number_text.h"

#include <QStringList>

#include <cmath>

namespace kelvra::stationxml {
namespace {

QString parseNumber(const QString& text, std::optional<double>& into, bool (*fits)(double), QString (*problem)())
{
    const std::optional<double> value = finiteNumber(text);
    if (!value || !fits(*value))
        return problem();
    into = value;
    return {};
}

QString parseAngles(const QString& text, PerChannel& into, bool (*fits)(double), QString (*problem)(const QString&))
{
    const QStringList parts = text.split(u',');
    if (parts.size() != kChannelCount)
        return messages::notFourAngles();
    PerChannel angles;
    for (int i = 0; i < kChannelCount; ++i) {
        if (parts[i].trimmed().isEmpty())
            continue;
        const std::optional<double> value = finiteNumber(parts[i]);
        if (!value || !fits(*value))
            return problem(parts[i]);
        angles[std::size_t(i)] = value;
    }
    into = angles;
    return {};
}

}  // namespace

QString parseLatitude(const QString& text, std::optional<double>& degrees)
{
    return parseNumber(text, degrees, [](double v) { return v >= -90 && v < 90; }, messages::notALatitude);
}

QString parseLongitude(const QString& text, std::optional<double>& degrees)
{
    return parseNumber(text, degrees, [](double v) { return v >= -180 && v <= 180; }, messages::notALongitude);
}

QString parseElevation(const QString& text, std::optional<double>& metres)
{
    return parseNumber(text, metres, [](double) { return true; }, messages::notAnElevation);
}

QString parseSiteName(const QString& text, QString& name)
{
    if (text.trimmed().isEmpty())
        return messages::noSiteName();
    name = text.trimmed();
    return {};
}

QString parseSensitivity(const QString& text, std::optional<double>& voltsPerUnit)
{
    return parseNumber(text, voltsPerUnit, [](double v) { return v > 0; }, messages::notASensitivity);
}

QString parseSensorUnits(const QString& text, SensorUnits& units)
{
    const QString name = text.trimmed().toUpper();
    if (name == QLatin1String("M/S"))
        units = SensorUnits::Velocity;
    else if (name == QLatin1String("M/S**2"))
        units = SensorUnits::Acceleration;
    else if (name == QLatin1String("V"))
        units = SensorUnits::Volts;
    else
        return messages::notSensorUnits();
    return {};
}

QString parseNaturalFrequency(const QString& text, std::optional<double>& hz)
{
    return parseNumber(text, hz, [](double v) { return v > 0; }, messages::notANaturalFrequency);
}

QString parseDamping(const QString& text, std::optional<double>& damping)
{
    return parseNumber(text, damping, [](double v) { return v > 0; }, messages::notADamping);
}

QString parseAzimuths(const QString& text, PerChannel& degrees)
{
    return parseAngles(text, degrees, [](double v) { return v >= 0 && v < 360; }, messages::notAnAzimuth);
}

QString parseDips(const QString& text, PerChannel& degrees)
{
    return parseAngles(text, degrees, [](double v) { return v >= -90 && v <= 90; }, messages::notADip);
}

QString problemWith(const StationMetadata& metadata, const QString& settingsFile)
{
    QStringList missing;
    if (!metadata.latitude)
        missing << QStringLiteral("latitude");
    if (!metadata.longitude)
        missing << QStringLiteral("longitude");
    if (!metadata.elevation)
        missing << QStringLiteral("elevation");
    if (!missing.isEmpty())
        return messages::noPosition(missing, settingsFile);
    const bool voltageInputs = metadata.sensorUnits == SensorUnits::Volts;
    if (!voltageInputs && !metadata.sensorSensitivity)
        return messages::unitsWithoutSensitivity();
    if (voltageInputs && metadata.sensorSensitivity)
        return messages::sensitivityWithoutUnits();
    if (metadata.naturalFrequencyHz.has_value() != metadata.damping.has_value())
        return messages::geophoneHalfGiven();
    if (metadata.naturalFrequencyHz && metadata.sensorUnits != SensorUnits::Velocity)
        return messages::geophoneNotVelocity();
    return {};
}

Orientation orientationOf(const QString& channel, std::optional<double> azimuth, std::optional<double> dip)
{
    Orientation byCode;
    const QChar code = channel.isEmpty() ? QChar() : channel.back();
    if (code == u'Z')
        byCode = {0.0, -90.0};
    else if (code == u'N')
        byCode = {0.0, 0.0};
    else if (code == u'E')
        byCode = {90.0, 0.0};
    return {azimuth ? azimuth : byCode.azimuth, dip ? dip : byCode.dip};
}

}  // namespace kelvra::stationxml
