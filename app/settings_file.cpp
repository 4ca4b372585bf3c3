#include "app/settings_file.h"

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
        {"port", "port", "DEVICE",
         QT_TRANSLATE_NOOP("kelvra::Settings",
                           "serial device to use instead of the first serial port, e.g. /dev/ttyUSB0, a "
                           "pseudo-terminal, COM3"),
         problemWithDevice},
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
        parser.addOption(QCommandLineOption(QString::fromLatin1(key.option),
                                            QCoreApplication::translate("kelvra::Settings", key.description),
                                            QString::fromLatin1(key.valueName)));
}

Settings Settings::read(const QString& filePath, const QCommandLineParser& parser)
{
    Settings settings;
    settings.filePath_ = filePath;
    settings.readFile();
    settings.readOptions(parser);
    return settings;
}

void Settings::readFile()
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
    for (const SettingKey& key : settingKeys()) {
        const QString option = QString::fromLatin1(key.option);
        if (!parser.isSet(option))
            continue;
        const QString value = parser.value(option);
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

Settings::Origin Settings::origin(const char* key) const
{
    const auto found = given_.find(QString::fromLatin1(key));
    return found == given_.end() ? Origin::Unset : found->second.origin;
}

}  // namespace kelvra
