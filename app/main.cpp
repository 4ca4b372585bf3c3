#include "app/form1.h"
#include "app/window_font.h"
#include "link/platform_serial_link.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <cstring>
#include <optional>

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

// Over shared memory, Qt's X11 back end waits for the X server before painting anywhere the last
// screen update touched: a blocking round trip on nearly every repaint. Sent over the connection
// instead, the few small rectangles a repaint changes cost no more and never wait.
void avoidSharedMemoryImages()
{
#if defined(Q_OS_UNIX)
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
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
    avoidSharedMemoryImages();
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/64x64/kelvra.png")));
    QApplication::setDesktopFileName(QStringLiteral("io.github.kelvra.Kelvra"));
    kelvra::registerFontSubstitutions();

    QCommandLineParser parser;
    const QCommandLineOption portOption = describeOptions(parser);
    parser.process(app);

    // Given but blank is not the same as not given: the link refuses it instead of taking the
    // first port.
    kelvra::PlatformSerialLink link(parser.isSet(portOption) ? std::optional(parser.value(portOption)) : std::nullopt);
    kelvra::Form1 form(link);
    if (!form.load())
        return 1;
    form.show();
    return QApplication::exec();
}
