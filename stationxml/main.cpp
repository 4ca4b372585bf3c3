#include "archive/sds_layout.h"
#include "settings/settings_file.h"
#include "stationxml/channel_starts.h"
#include "stationxml/messages.h"
#include "stationxml/station_document.h"
#include "stationxml/station_metadata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSaveFile>
#include <QTranslator>

#include <cstdio>
#include <utility>

namespace {

using namespace kelvra;
namespace messages = stationxml::messages;

// Exit statuses, also listed in the manual page.
constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kBadCommandLine = 2;

void say(const QString& message)
{
    std::fprintf(stderr, "kelvra-stationxml: %s\n", qPrintable(message));
}

// Qt's catalogue for the --help frame, and the recorder's, built into this program too: the
// settings and their messages are the recorder's.
void installTranslations(QCoreApplication& app)
{
    const std::pair<QString, QString> catalogues[] = {
        {QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
        {QStringLiteral("kelvra"), QStringLiteral(":/i18n")},
    };
    for (const auto& [name, folder] : catalogues) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLocale::system(), name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

int write(const stationxml::StationDocument& document, const QString& output)
{
    if (output.isEmpty() || output == u'-') {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !stationxml::writeStationXml(out, document) || !out.flush()) {
            say(messages::cannotWrite(QStringLiteral("-"), out.errorString()));
            return kNotWritten;
        }
        return kWritten;
    }
    // QSaveFile renames over what is there, which would replace a device or a folder's link.
    if (const QFileInfo info(output); info.exists() && !info.isFile()) {
        say(messages::notARegularFile(output));
        return kNotWritten;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || !stationxml::writeStationXml(file, document) || !file.commit()) {
        say(messages::cannotWrite(output, file.errorString()));
        return kNotWritten;
    }
    return kWritten;
}

int run(const QCommandLineParser& parser, const QCommandLineOption& output, const QString& settingsFile)
{
    const Settings settings = Settings::read(settingsFile, parser);
    const archive::ArchiveSettings archive = settings.archive();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    stationxml::StationDocument document{archive.codes, settings.stationMetadata(), {}, now,
                                         QStringLiteral("kelvra-stationxml " KELVRA_VERSION)};
    if (const QString problem = stationxml::problemWith(document.metadata, settingsFile); !problem.isEmpty()) {
        say(problem);
        return kNotWritten;
    }
    document.channelStarts = stationxml::channelStarts(archive::SdsLayout(archive.root), archive.codes, now);
    return write(document, parser.value(output));
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvra-stationxml"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVRA_VERSION));
    installTranslations(app);
    const QString settingsFile = Settings::userFilePath();
    QCommandLineParser parser;
    parser.setApplicationDescription(messages::programDescription(settingsFile));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, messages::outputOption(),
                                    QStringLiteral("FILE"));
    parser.addOption(output);
    Settings::describeOptions(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        say(parser.errorText());
        say(messages::tryHelp());
        return kBadCommandLine;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return kWritten;
    }
    if (parser.isSet(version)) {
        std::printf("kelvra-stationxml %s\n", KELVRA_VERSION);
        return kWritten;
    }
    if (!parser.positionalArguments().isEmpty()) {
        say(messages::unexpectedArgument(parser.positionalArguments().first()));
        say(messages::tryHelp());
        return kBadCommandLine;
    }
    try {
        return run(parser, output, settingsFile);
    } catch (const SettingsError& error) {
        say(QString::fromStdString(error.what()));
        return kNotWritten;
    }
}
