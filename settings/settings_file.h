#pragma once

#include "archive/archive_sink.h"
#include "detector/detector_settings.h"
#include "stationxml/station_metadata.h"

#include <QString>

#include <map>
#include <stdexcept>
#include <vector>

class QCommandLineParser;
class QDir;

namespace kelvra {

// One setting that both the settings file (key=value) and the command line (--option VALUE) give.
struct SettingKey {
    const char* key;
    const char* option;
    const char* valueName;    // shown in --help; null for a switch, which gives switchValue
    const char* switchValue;
    QString (*description)();  // --help text
    // Why a value cannot be used (translated), or empty when it can.
    QString (*problemWith)(const QString& value);
    // The value a line of the file means, given the file's folder; null where that is the text
    // as written. The command line needs none: its shell has expanded ~ and knows the folder.
    QString (*fromFile)(const QString& written, const QDir& fileFolder);
};

// Every setting the program knows, in the order --help lists them. A new setting is one more row.
const std::vector<SettingKey>& settingKeys();

// Some settings by key, for a program that takes only those as options beside its own; empty for all.
using SettingNames = std::vector<const char*>;

// A settings file or option value that cannot be used; the text names the file, key and value.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The settings in force: the user's settings file, overridden by the command line. The program
// only ever reads the file.
class Settings {
public:
    enum class Origin { Unset, File, CommandLine };

    // $XDG_CONFIG_HOME/kelvra/kelvra.conf (~/.config/kelvra/kelvra.conf without it).
    static QString userFilePath();
    // One option for each setting of `names`.
    static void describeOptions(QCommandLineParser& parser, const SettingNames& names = {});
    // A missing file is no error. An unreadable or malformed file (a line without =, a NUL byte, a
    // line too long), an unknown key or an unusable value in the file or on the command line throws
    // SettingsError; the file's errors name their line.
    // Only the options of `names` are looked for on the command line.
    static Settings read(const QString& filePath, const QCommandLineParser& parser, const SettingNames& names = {});
    // The file alone, for programs with options of their own.
    static Settings readFile(const QString& filePath);

    QString value(const char* key) const;  // empty when neither gives it
    Origin origin(const char* key) const;
    const QString& filePath() const { return filePath_; }
    // The archive's settings, the defaults where neither gives them. A folder given on the command
    // line asks for an archive even where the file turns it off.
    archive::ArchiveSettings archive() const;
    // The event detector's settings, the defaults where neither gives them.
    detector::DetectorSettings detector() const;
    // What the station's StationXML says besides its codes; unset where neither gives it.
    stationxml::StationMetadata stationMetadata() const;

private:
    struct Given {
        QString value;
        Origin origin = Origin::Unset;
    };
    void readFileValues();
    void readOptions(const QCommandLineParser& parser, const SettingNames& names);
    // Fills `into` from the key's value where one is given; every value given was checked as it
    // was read.
    template <typename Value>
    void take(const char* key, QString (*parse)(const QString&, Value&), Value& into) const
    {
        if (origin(key) != Origin::Unset)
            parse(value(key), into);
    }

    QString filePath_;
    std::map<QString, Given> given_;
};

}  // namespace kelvra
