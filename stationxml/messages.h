#pragma once

#include <QString>
#include <QStringList>

// Every text about the station's metadata, in one place for translation.
namespace kelvra::stationxml::messages {

QString notALatitude();
QString notALongitude();
QString notAnElevation();
QString noSiteName();
QString notASensitivity();
QString notSensorUnits();
QString notANaturalFrequency();
QString notADamping();
QString notFourAngles();
QString notAnAzimuth(const QString& value);
QString notADip(const QString& value);

// Why no document is written; the keys are the settings file's.
QString noPosition(const QStringList& missingKeys, const QString& settingsFile);
QString unitsWithoutSensitivity();
QString sensitivityWithoutUnits();
QString geophoneHalfGiven();
QString geophoneNotVelocity();
QString cannotWrite(const QString& path, const QString& reason);
QString notARegularFile(const QString& path);
QString unexpectedArgument(const QString& argument);
QString tryHelp();

// --help
QString programDescription(const QString& settingsFile);
QString outputOption();
QString latitudeOption();
QString longitudeOption();
QString elevationOption();
QString siteNameOption();
QString sensitivityOption();
QString sensorUnitsOption();
QString naturalFrequencyOption();
QString dampingOption();
QString azimuthOption();
QString dipOption();

}  // namespace kelvra::stationxml::messages
