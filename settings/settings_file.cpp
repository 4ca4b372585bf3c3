#include "settings/settings_file.h"

#include "archive/archive_options.h"
#include "archive/messages.h"
#include "archive/station_codes.h"
#include "detector/messages.h"
#include "stationxml/messages.h"
#include "stationxml/station_metadata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>

#include <ini.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

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

// A value or line as a message shows it: a box taller than the screen hides its buttons. A problem
// may quote the value, or a part of it, so it is cut too, with room for its own words.
QString shown(const QString& text, qsizetype readable = 100)
{
    return text.size() <= readable ? text : text.left(readable) + QChar(0x2026);
}

QString shownProblem(const QString& problem)
{
    return shown(problem, 200);
}

QString folderFromFile(const QString& written, const QDir& fileFolder)
{
    if (written == u'~' || written.startsWith(QLatin1String("~/")))
        return QDir::homePath() + written.mid(1);
    return fileFolder.absoluteFilePath(written);
}

// One pass of inih over the file's text. The first problem, by line, is kept; inih reports its own
// (a line that is neither key=value, a comment nor a section) only as its return value.
class FileParse {
public:
    FileParse(const QString& filePath, QByteArray text)
        : filePath_(filePath), folder_(QFileInfo(filePath).absoluteDir()), text_(std::move(text))
    {
    }

    // The values in the file's order, or throws SettingsError.
    std::vector<std::pair<QString, QString>> run()
    {
        const int syntaxLine = ini_parse_stream(&FileParse::nextLine, this, &FileParse::take, this);
        if (syntaxLine > 0)
            refuse(syntaxLine, notKeyValue(syntaxLine));
        if (problemLine_ > 0)
            throw SettingsError(problem_.toStdString());
        return std::move(values_);
    }

private:
    // inih reads a line at a time into a buffer of its own size; every call here is one whole line,
    // so the count of calls is the line number its handler's call belongs to.
    static char* nextLine(char* buffer, int size, void* stream)
    {
        auto& parse = *static_cast<FileParse*>(stream);
        if (parse.next_ >= parse.text_.size())
            return nullptr;
        qsizetype end = parse.text_.indexOf('\n', parse.next_);
        if (end < 0)
            end = parse.text_.size();
        // Leading blanks go too: inih would take an indented line for more of the previous value.
        QByteArray line = parse.text_.sliced(parse.next_, end - parse.next_).trimmed();
        parse.next_ = end + 1;
        parse.lines_.push_back(line);
        const int number = int(parse.lines_.size());
        if (line.contains('\0')) {
            parse.refuse(number, QCoreApplication::translate("kelvra::Settings",
                                                             "Settings file %1: line %2 holds a NUL byte, which a "
                                                             "text file cannot hold.")
                                     .arg(parse.filePath_, QString::number(number)));
            line.clear();
        } else if (line.size() + 2 > size) {
            parse.refuse(number, QCoreApplication::translate("kelvra::Settings",
                                                             "Settings file %1: line %2 is longer than the %3 bytes a "
                                                             "line may have.")
                                     .arg(parse.filePath_, QString::number(number), QString::number(size - 2)));
            line.clear();
        }
        std::memcpy(buffer, line.constData(), size_t(line.size()));
        buffer[line.size()] = '\n';
        buffer[line.size() + 1] = '\0';
        return buffer;
    }

    static int take(void* user, const char* section, const char* name, const char* value)
    {
        auto& parse = *static_cast<FileParse*>(user);
        const int number = int(parse.lines_.size());
        // Where QSettings, which read this file before, put keys outside any section; a key in
        // another section is no setting.
        QString key = QString::fromUtf8(name);
        if (*section && std::strcmp(section, "General") != 0)
            key = QString::fromUtf8(section) + u'/' + key;
        // inih also takes key:value, which is not this file's form.
        if (*std::strpbrk(parse.lines_.back().constData(), "=:") == ':')
            parse.refuse(number, parse.notKeyValue(number));
        else if (const QString problem = parse.keep(key, QString::fromUtf8(value)); !problem.isEmpty())
            parse.refuse(number, problem + u' '
                                     + QCoreApplication::translate("kelvra::Settings", "It is line %1 of the file.")
                                           .arg(number));
        return 1;
    }

    QString notKeyValue(int line) const
    {
        return QCoreApplication::translate("kelvra::Settings",
                                           "Settings file %1: line %2, \"%3\", is not of the form key=value.")
            .arg(filePath_, QString::number(line), shown(QString::fromUtf8(lines_[size_t(line - 1)])));
    }

    // Why the value cannot be used, or empty when it is kept.
    QString keep(const QString& key, const QString& written)
    {
        const SettingKey* setting = findKey(key);
        if (!setting)
            return QCoreApplication::translate("kelvra::Settings",
                                               "Settings file %1: %2=%3 is not a setting of this program. Its "
                                               "settings are: %4.")
                .arg(filePath_, shown(key), shown(written), knownKeys());
        if (const QString problem = setting->problemWith(written); !problem.isEmpty())
            return QCoreApplication::translate("kelvra::Settings", "Settings file %1: %2=%3 cannot be used: %4.")
                .arg(filePath_, key, shown(written), shownProblem(problem));
        if (setting->fromFile)
            values_.emplace_back(key, setting->fromFile(written, folder_));
        else
            values_.emplace_back(key, written);
        return QString();
    }

    void refuse(int line, const QString& message)
    {
        if (problemLine_ != 0 && problemLine_ <= line)
            return;
        problemLine_ = line;
        problem_ = message;
    }

    QString filePath_;
    QDir folder_;
    QByteArray text_;
    qsizetype next_ = 0;
    std::vector<QByteArray> lines_;
    std::vector<std::pair<QString, QString>> values_;
    int problemLine_ = 0;
    QString problem_;
};

}  // namespace

const std::vector<SettingKey>& settingKeys()
{
    static const std::vector<SettingKey> keys{
        {"port", "port", "DEVICE", nullptr,
         [] {
             return QCoreApplication::translate("kelvra::Settings",
                                                "serial device to use instead of the first serial port, e.g. "
                                                "/dev/ttyUSB0 or a pseudo-terminal");
         },
         problemWithDevice, nullptr},
        {"archive", "archive", "DIR", nullptr, archive::messages::archiveOption,
         problemWith<QString, archive::parseFolder>, folderFromFile},
        {"archive_enabled", "no-archive", nullptr, "false", archive::messages::noArchiveOption,
         problemWith<bool, archive::parseSwitch>, nullptr},
        {"station", "station", "NET.STA.LOC", nullptr, archive::messages::stationOption,
         problemWith<archive::StationCodes, archive::parseStation>, nullptr},
        {"channels", "channels", "C1,C2,C3,C4", nullptr, archive::messages::channelsOption,
         problemWith<archive::StationCodes, archive::parseChannels>, nullptr},
        {"keep_days", "keep-days", "N", nullptr, archive::messages::keepDaysOption,
         problemWith<std::optional<int>, archive::parseKeepDays>, nullptr},
        {"detect", "no-detect", nullptr, "false", detector::messages::noDetectOption,
         problemWith<bool, archive::parseSwitch>, nullptr},
        {"detect_channels", "detect-channels", "C1,C2", nullptr, detector::messages::channelsOption,
         problemWith<QStringList, detector::parseChannelList>, nullptr},
        {"detect_band", "detect-band", "LOW-HIGH", nullptr, detector::messages::bandOption,
         problemWith<std::pair<double, double>, detector::parseBand>, nullptr},
        {"detect_sta", "detect-sta", "SECONDS", nullptr, detector::messages::staOption,
         problemWith<double, detector::parseSeconds>, nullptr},
        {"detect_lta", "detect-lta", "SECONDS", nullptr, detector::messages::ltaOption,
         problemWith<double, detector::parseSeconds>, nullptr},
        {"detect_on", "detect-on", "RATIO", nullptr, detector::messages::onOption,
         problemWith<double, detector::parseRatio>, nullptr},
        {"detect_off", "detect-off", "RATIO", nullptr, detector::messages::offOption,
         problemWith<double, detector::parseRatio>, nullptr},
        {"detect_min_channels", "detect-min-channels", "N", nullptr, detector::messages::minChannelsOption,
         problemWith<int, detector::parseMinChannels>, nullptr},
        {"on_event", "on-event", "COMMAND", nullptr, detector::messages::onEventOption,
         problemWith<QString, detector::parseCommand>, nullptr},
        {"latitude", "latitude", "DEGREES", nullptr, stationxml::messages::latitudeOption,
         problemWith<std::optional<double>, stationxml::parseLatitude>, nullptr},
        {"longitude", "longitude", "DEGREES", nullptr, stationxml::messages::longitudeOption,
         problemWith<std::optional<double>, stationxml::parseLongitude>, nullptr},
        {"elevation", "elevation", "METRES", nullptr, stationxml::messages::elevationOption,
         problemWith<std::optional<double>, stationxml::parseElevation>, nullptr},
        {"site_name", "site-name", "NAME", nullptr, stationxml::messages::siteNameOption,
         problemWith<QString, stationxml::parseSiteName>, nullptr},
        {"sensor_sensitivity", "sensor-sensitivity", "VOLTS", nullptr, stationxml::messages::sensitivityOption,
         problemWith<std::optional<double>, stationxml::parseSensitivity>, nullptr},
        {"sensor_units", "sensor-units", "UNITS", nullptr, stationxml::messages::sensorUnitsOption,
         problemWith<stationxml::SensorUnits, stationxml::parseSensorUnits>, nullptr},
        {"sensor_natural_frequency", "sensor-natural-frequency", "HZ", nullptr,
         stationxml::messages::naturalFrequencyOption,
         problemWith<std::optional<double>, stationxml::parseNaturalFrequency>, nullptr},
        {"sensor_damping", "sensor-damping", "FRACTION", nullptr, stationxml::messages::dampingOption,
         problemWith<std::optional<double>, stationxml::parseDamping>, nullptr},
        {"azimuth", "azimuth", "A1,A2,A3,A4", nullptr, stationxml::messages::azimuthOption,
         problemWith<stationxml::PerChannel, stationxml::parseAzimuths>, nullptr},
        {"dip", "dip", "D1,D2,D3,D4", nullptr, stationxml::messages::dipOption,
         problemWith<stationxml::PerChannel, stationxml::parseDips>, nullptr},
    };
    return keys;
}

QString Settings::userFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("kelvra/kelvra.conf"));
}

namespace {

std::vector<const SettingKey*> namedKeys(const SettingNames& names)
{
    std::vector<const SettingKey*> keys;
    for (const SettingKey& key : settingKeys())
        if (names.empty() || std::any_of(names.begin(), names.end(), [&](const char* name) { return std::strcmp(name, key.key) == 0; }))
            keys.push_back(&key);
    return keys;
}

}  // namespace

void Settings::describeOptions(QCommandLineParser& parser, const SettingNames& names)
{
    for (const SettingKey* key : namedKeys(names))
        parser.addOption(key->valueName ? QCommandLineOption(QString::fromLatin1(key->option), key->description(),
                                                             QString::fromLatin1(key->valueName))
                                        : QCommandLineOption(QString::fromLatin1(key->option), key->description()));
}

Settings Settings::read(const QString& filePath, const QCommandLineParser& parser, const SettingNames& names)
{
    Settings settings = readFile(filePath);
    settings.readOptions(parser, names);
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
    // A link that leads nowhere is a file the user meant to be read.
    if (!info.exists() && !info.isSymLink())
        return;
    QFile file(filePath_);
    // A folder, a pipe or a device is no file, and a pipe would hold up the start.
    const bool aFile = !info.exists() || info.isFile();
    const bool read = aFile && file.open(QIODevice::ReadOnly);
    const QByteArray text = read ? file.readAll() : QByteArray();
    if (!read || file.error() != QFileDevice::NoError)
        throw SettingsError(QCoreApplication::translate("kelvra::Settings", "The settings file %1 cannot be read: %2.")
                                .arg(filePath_, aFile ? file.errorString()
                                                      : QCoreApplication::translate("kelvra::Settings",
                                                                                    "it is not a file"))
                                .toStdString());
    for (auto& [key, value] : FileParse(filePath_, text).run())
        given_[key] = {value, Origin::File};
}

void Settings::readOptions(const QCommandLineParser& parser, const SettingNames& names)
{
    const std::vector<const SettingKey*> keys = namedKeys(names);
    const auto isSet = [&](const char* option) {
        return std::any_of(keys.begin(), keys.end(), [&](const SettingKey* key) {
            return std::strcmp(key->option, option) == 0 && parser.isSet(QString::fromLatin1(option));
        });
    };
    if (isSet("archive") && isSet("no-archive"))
        throw SettingsError(
            archive::messages::optionsExclude(QStringLiteral("--archive"), QStringLiteral("--no-archive")).toStdString());
    for (const SettingKey* key : keys) {
        const QString option = QString::fromLatin1(key->option);
        if (!parser.isSet(option))
            continue;
        const QString value = key->valueName ? parser.value(option) : QString::fromLatin1(key->switchValue);
        if (const QString problem = key->problemWith(value); !problem.isEmpty())
            throw SettingsError(QCoreApplication::translate("kelvra::Settings",
                                                            "The value \"%1\" of the option --%2 cannot be used: %3.")
                                    .arg(shown(value), option, shownProblem(problem))
                                    .toStdString());
        given_[QString::fromLatin1(key->key)] = {value, Origin::CommandLine};
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
    take("archive", archive::parseFolder, settings.root);
    take("archive_enabled", archive::parseSwitch, settings.enabled);
    if (origin("archive") == Origin::CommandLine)
        settings.enabled = true;
    take("station", archive::parseStation, settings.codes);
    take("channels", archive::parseChannels, settings.codes);
    take("keep_days", archive::parseKeepDays, settings.keepDays);
    return settings;
}

detector::DetectorSettings Settings::detector() const
{
    detector::DetectorSettings settings;
    take("detect", archive::parseSwitch, settings.enabled);
    take("detect_channels", detector::parseChannelList, settings.channels);
    std::pair<double, double> band{settings.lowHz, settings.highHz};
    take("detect_band", detector::parseBand, band);
    std::tie(settings.lowHz, settings.highHz) = band;
    take("detect_sta", detector::parseSeconds, settings.staSeconds);
    take("detect_lta", detector::parseSeconds, settings.ltaSeconds);
    take("detect_on", detector::parseRatio, settings.onRatio);
    take("detect_off", detector::parseRatio, settings.offRatio);
    take("detect_min_channels", detector::parseMinChannels, settings.minChannels);
    take("on_event", detector::parseCommand, settings.onEvent);
    return settings;
}

stationxml::StationMetadata Settings::stationMetadata() const
{
    stationxml::StationMetadata metadata;
    take("latitude", stationxml::parseLatitude, metadata.latitude);
    take("longitude", stationxml::parseLongitude, metadata.longitude);
    take("elevation", stationxml::parseElevation, metadata.elevation);
    take("site_name", stationxml::parseSiteName, metadata.siteName);
    take("sensor_sensitivity", stationxml::parseSensitivity, metadata.sensorSensitivity);
    take("sensor_units", stationxml::parseSensorUnits, metadata.sensorUnits);
    take("sensor_natural_frequency", stationxml::parseNaturalFrequency, metadata.naturalFrequencyHz);
    take("sensor_damping", stationxml::parseDamping, metadata.damping);
    take("azimuth", stationxml::parseAzimuths, metadata.azimuths);
    take("dip", stationxml::parseDips, metadata.dips);
    return metadata;
}

Settings::Origin Settings::origin(const char* key) const
{
    const auto found = given_.find(QString::fromLatin1(key));
    return found == given_.end() ? Origin::Unset : found->second.origin;
}

}  // namespace kelvra
