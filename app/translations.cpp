#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kelvra {
namespace {

// Qt's own Japanese catalogue lacks these two lines of the --help frame; the parser looks them up
// in its own context, where the program's catalogue answers as well.
[[maybe_unused]] constexpr const char* kParserTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
};

void load(QCoreApplication& app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale::system(), name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void installTranslations(QCoreApplication& app)
{
    // Qt's own texts: the --help frame, the message boxes' buttons, system error descriptions.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    load(app, QStringLiteral("qtbase"), qtFolder);
    load(app, QStringLiteral("qtserialport"), qtFolder);
    load(app, QStringLiteral("kelvra"), QStringLiteral(":/i18n"));
}

}  // namespace kelvra
