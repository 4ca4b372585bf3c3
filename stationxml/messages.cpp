#include "stationxml/messages.h"

#include "stationxml/response.h"

#include <QCoreApplication>

namespace kelvra::stationxml::messages {
namespace {

QString referenceHz() { return QString::number(kReferenceHz); }

}  // namespace

QString notALatitude()
{
    return QCoreApplication::translate("kelvra::StationXml", "not a latitude in degrees from -90 to below 90");
}

QString notALongitude()
{
    return QCoreApplication::translate("kelvra::StationXml", "not a longitude in degrees from -180 to 180");
}

QString notAnElevation() { return QCoreApplication::translate("kelvra::StationXml", "not a height in metres"); }

QString noSiteName() { return QCoreApplication::translate("kelvra::StationXml", "no site name given"); }

QString notASensitivity() { return QCoreApplication::translate("kelvra::StationXml", "not a sensitivity above 0"); }

QString notSensorUnits() { return QCoreApplication::translate("kelvra::StationXml", "not one of M/S, M/S**2 and V"); }

QString notANaturalFrequency()
{
    return QCoreApplication::translate("kelvra::StationXml", "not a frequency above 0 in Hz");
}

QString notADamping()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "not a damping above 0, as a fraction of critical damping");
}

QString notFourAngles()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "not four values separated by commas, one for each channel");
}

QString notAnAzimuth(const QString& value)
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "azimuth \"%1\" is not a number of degrees from 0 to below 360")
        .arg(value);
}

QString notADip(const QString& value)
{
    return QCoreApplication::translate("kelvra::StationXml", "dip \"%1\" is not a number of degrees from -90 to 90")
        .arg(value);
}

QString noPosition(const QStringList& missingKeys, const QString& settingsFile)
{
    return QCoreApplication::translate(
               "kelvra::StationXml",
               "No StationXML written: the station's position is not fully given (%1 missing). Give latitude= "
               "and longitude= in degrees and elevation= in metres in the settings file %2, or --latitude, "
               "--longitude and --elevation.")
        .arg(missingKeys.join(QStringLiteral(", ")), settingsFile);
}

QString unitsWithoutSensitivity()
{
    return QCoreApplication::translate(
               "kelvra::StationXml",
               "No StationXML written: sensor_units is given without sensor_sensitivity, the sensor's volts per "
               "input unit at %1 Hz.")
        .arg(referenceHz());
}

QString sensitivityWithoutUnits()
{
    return QCoreApplication::translate(
        "kelvra::StationXml",
        "No StationXML written: sensor_sensitivity needs sensor_units=M/S or M/S**2; inputs in volts "
        "(sensor_units=V, the default) have no sensor stage.");
}

QString geophoneHalfGiven()
{
    return QCoreApplication::translate(
        "kelvra::StationXml",
        "No StationXML written: sensor_natural_frequency and sensor_damping describe the geophone "
        "together; give both or neither.");
}

QString geophoneNotVelocity()
{
    return QCoreApplication::translate(
        "kelvra::StationXml",
        "No StationXML written: the poles and zeros of sensor_natural_frequency and sensor_damping are a "
        "geophone's, whose output follows velocity; they need sensor_units=M/S.");
}

QString cannotWrite(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("kelvra::StationXml", "cannot write %1: %2").arg(path, reason);
}

QString notARegularFile(const QString& path)
{
    return QCoreApplication::translate("kelvra::StationXml", "will not write %1: it exists and is not a regular file")
        .arg(path);
}

QString unexpectedArgument(const QString& argument)
{
    return QCoreApplication::translate("kelvra::StationXml", "unexpected argument \"%1\"").arg(argument);
}

QString tryHelp() { return QCoreApplication::translate("kelvra::StationXml", "try 'kelvra-stationxml --help'"); }

QString programDescription(const QString& settingsFile)
{
    return QCoreApplication::translate(
               "kelvra::StationXml",
               "Writes the station's FDSN StationXML: its position, its four channels and their response from "
               "counts to volts and, with a sensor, to ground motion.\n"
               "Settings are read from %1; options given here override them.")
        .arg(settingsFile);
}

QString outputOption()
{
    return QCoreApplication::translate("kelvra::StationXml", "the document to write (default: standard output)");
}

QString latitudeOption()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "the station's latitude in degrees, north positive (WGS84), for StationXML");
}

QString longitudeOption()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "the station's longitude in degrees, east positive (WGS84), for StationXML");
}

QString elevationOption()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "the station's elevation in metres above sea level, for StationXML");
}

QString siteNameOption()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "the station's site name in StationXML (default: the station code)");
}

QString sensitivityOption()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "the sensor's output in volts per input unit at %1 Hz, for StationXML")
        .arg(referenceHz());
}

QString sensorUnitsOption()
{
    return QCoreApplication::translate(
        "kelvra::StationXml",
        "what the sensor measures, for StationXML: M/S (velocity), M/S**2 (acceleration) or V (the inputs "
        "are voltages; the default)");
}

QString naturalFrequencyOption()
{
    return QCoreApplication::translate("kelvra::StationXml", "the geophone's natural frequency in Hz, for StationXML");
}

QString dampingOption()
{
    return QCoreApplication::translate("kelvra::StationXml",
                                       "the geophone's damping as a fraction of critical, such as 0.7, for StationXML");
}

QString azimuthOption()
{
    return QCoreApplication::translate(
        "kelvra::StationXml",
        "azimuths of CH-1..CH-4 in degrees clockwise from north, for StationXML; an empty value keeps the "
        "default of the channel code");
}

QString dipOption()
{
    return QCoreApplication::translate(
        "kelvra::StationXml",
        "dips of CH-1..CH-4 in degrees down from horizontal (-90 is up), for StationXML; an empty value "
        "keeps the default of the channel code");
}

}  // namespace kelvra::stationxml::messages
