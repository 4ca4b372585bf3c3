#include "app/failure_report.h"
#include "app/form1.h"
#if defined(Q_OS_UNIX)
#include "app/stop_signals.h"
#endif
#include "app/window_font.h"
#include "link/qt_serial_link.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <cstring>

namespace {

// Without TZ the C library looks at /etc/localtime again for every reading of the clock, that
// is on every tick; naming it once keeps that off the recorder's cycle.
void fixLocalTimeZone()
{
#if defined(Q_OS_UNIX)
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
#endif
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("kelvra"));
    // No display name: the desktop would append it to the window's title.
    QCoreApplication::setOrganizationName(QStringLiteral("KELVRA"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVRA_VERSION));
}

QCommandLineOption describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Recorder for the KELVRA four-channel seismic converter board."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("serial device to use instead of the first serial port, e.g. /dev/ttyUSB0, a pseudo-terminal, "
                       "COM3"),
        QStringLiteral("DEVICE"));
    parser.addOption(port);
    return port;
}

// --help and --version must work without a display, before any window system is touched.
bool onlyAsksForInformation(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (onlyAsksForInformation(argc, argv)) {
        QCoreApplication console(argc, argv);
        nameApplication();
        QCommandLineParser parser;
        describeOptions(parser);
        parser.process(console);
        return 0;
    }

    fixLocalTimeZone();
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/64x64/kelvra.png")));
    QApplication::setDesktopFileName(QStringLiteral("io.github.kelvra.Kelvra"));
    kelvra::registerFontSubstitutions();
    if (!kelvra::hasJapaneseFont())
        kelvra::printError(kelvra::kNoJapaneseFontNotice);

    QCommandLineParser parser;
    const QCommandLineOption portOption = describeOptions(parser);
    parser.process(app);

    kelvra::QtSerialLink link(parser.value(portOption));
    kelvra::Form1 form(link);
#if defined(Q_OS_UNIX)
    kelvra::StopSignals stopSignals;
    QObject::connect(&stopSignals, &kelvra::StopSignals::received, &form, &kelvra::Form1::exitNormally);
#endif
    if (!form.load())
        return 1;
    form.show();
    return QApplication::exec();
}
