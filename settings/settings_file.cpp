#include "settings/settings_file.h"

#include "archive/archive_options.h"
#include "archive/messages.h"
#include "archive/station_codes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace kelvra {
namespace {

QString problemWithDevice(const QString& value)
{
    if (value.trimmed().isEmpty())
        return QCoreApplication::translate("kelvra::Settings", "no device is named");
    return QString();
}

// The row's check runs the parser that later fills the archive's settings in.
template <typename Value, QString (*parse)(const QString&, Value&)>
QString problemWith(const QString& text)
{
    Value scratch{};
    return parse(text, scratch);
}

const SettingKey* findKey(const QString& key)
{
    const auto& keys = settingKeys();
    const auto found = std::find_if(keys.begin(), keys.end(), [&](const SettingKey& k) { return key == QLatin1String(k.key); });
    return found == keys.end() ? nullptr : &*found;
}

QString knownKeys()
{
    QStringList names;
    for (const SettingKey& key : settingKeys())
        names << QString::fromLatin1(key.key);
    return names.join(QStringLiteral(", "));
}

// QSettings splits a value at its commas; a setting is one text, so join it back.
QString textOf(const QVariant& raw)
{
    return raw.typeId() == QMetaType::QStringList ? raw.toStringList().join(u',') : raw.toString();
}

}  // namespace

const std::vector<SettingKey>& settingKeys()
{
    static const std::vector<SettingKey> keys{
        {"port", "port", "DEVICE", nullptr,
         [] {
             return QCoreApplication::translate("kelvra::Settings",
                                                "serial device to use instead of the first serial port, e.g. "
                                                "/dev/ttyUSB0, a pseudo-terminal, COM3");
         },
         problemWithDevice},
        {"archive", "archive", "DIR", nullptr, archive::messages::archiveOption,
         problemWith<QString, archive::parseFolder>},
        {"archive_enabled", "no-archive", nullptr, "false", archive::messages::noArchiveOption,
         problemWith<bool, archive::parseSwitch>},
        {"station", "station", "NET.STA.LOC", nullptr, archive::messages::stationOption,
         problemWith<archive::StationCodes, archive::parseStation>},
        {"channels", "channels", "C1,C2,C3,C4", nullptr, archive::messages::channelsOption,
         problemWith<archive::StationCodes, archive::parseChannels>},
        {"keep_days", "keep-days", "N", nullptr, archive::messages::keepDaysOption,
         problemWith<std::optional<int>, archive::parseKeepDays>},
    };
    return keys;
}

QString Settings::userFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("kelvra/kelvra.conf"));
}

void Settings::describeOptions(QCommandLineParser& parser)
{
    for (const SettingKey& key : settingKeys())
        parser.addOption(key.valueName ? QCommandLineOption(QString::fromLatin1(key.option), key.description(),
                                                            QString::fromLatin1(key.valueName))
                                       : QCommandLineOption(QString::fromLatin1(key.option), key.description()));
}

Settings Settings::read(const QString& filePath, const QCommandLineParser& parser)
{
    Settings settings = readFile(filePath);
    settings.readOptions(parser);
    return settings;
}

Settings Settings::readFile(const QString& filePath)
{
    Settings settings;
    settings.filePath_ = filePath;
    settings.readFileValues();
    return settings;
}

void Settings::readFileValues()
{
    const QFileInfo info(filePath_);
    if (!info.exists())
        return;
    if (!info.isFile() || !info.isReadable())
        throw SettingsError(
            QCoreApplication::translate("kelvra::Settings", "The settings file %1 cannot be read.").arg(filePath_).toStdString());
    const QSettings file(filePath_, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw SettingsError(QCoreApplication::translate("kelvra::Settings",
                                                        "The settings file %1 is not in the form of key=value lines.")
                                .arg(filePath_)
                                .toStdString());
    for (const QString& name : file.allKeys()) {
        const QString value = textOf(file.value(name));
        const SettingKey* key = findKey(name);
        if (!key)
            throw SettingsError(QCoreApplication::translate("kelvra::Settings",
                                                            "Settings file %1: %2=%3 is not a setting of this "
                                                            "program. Its settings are: %4.")
                                    .arg(filePath_, name, value, knownKeys())
                                    .toStdString());
        if (const QString problem = key->problemWith(value); !problem.isEmpty())
            throw SettingsError(QCoreApplication::translate("kelvra::Settings",
                                                            "Settings file %1: %2=%3 cannot be used: %4.")
                                    .arg(filePath_, name, value, problem)
                                    .toStdString());
        given_[name] = {value, Origin::File};
    }
}

void Settings::readOptions(const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("archive")) && parser.isSet(QStringLiteral("no-archive")))
        throw SettingsError(
            archive::messages::optionsExclude(QStringLiteral("--archive"), QStringLiteral("--no-archive")).toStdString());
    for (const SettingKey& key : settingKeys()) {
        const QString option = QString::fromLatin1(key.option);
        if (!parser.isSet(option))
            continue;
        const QString value = key.valueName ? parser.value(option) : QString::fromLatin1(key.switchValue);
        if (const QString problem = key.problemWith(value); !problem.isEmpty())
            throw SettingsError(QCoreApplication::translate("kelvra::Settings",
                                                            "The value \"%1\" of the option --%2 cannot be used: %3.")
                                    .arg(value, option, problem)
                                    .toStdString());
        given_[QString::fromLatin1(key.key)] = {value, Origin::CommandLine};
    }
}

QString Settings::value(const char* key) const
{
    const auto found = given_.find(QString::fromLatin1(key));
    return found == given_.end() ? QString() : found->second.value;
}

archive::ArchiveSettings Settings::archive() const
{
    archive::ArchiveSettings settings;
    // Every value given was checked as it was read.
    const auto take = [this](const char* key, auto parse, auto& into) {
        if (origin(key) != Origin::Unset)
            parse(value(key), into);
    };
    take("archive", archive::parseFolder, settings.root);
    take("archive_enabled", archive::parseSwitch, settings.enabled);
    if (origin("archive") == Origin::CommandLine)
        settings.enabled = true;
    take("station", archive::parseStation, settings.codes);
    take("channels", archive::parseChannels, settings.codes);
    take("keep_days", archive::parseKeepDays, settings.keepDays);
    return settings;
}

Settings::Origin Settings::origin(const char* key) const
{
    const auto found = given_.find(QString::fromLatin1(key));
    return found == given_.end() ? Origin::Unset : found->second.origin;
}

}  // namespace kelvra
