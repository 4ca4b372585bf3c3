#include "app/form1.h"
#include "app/window_font.h"
#include "link/qt_serial_link.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

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

}  // namespace

int main(int argc, char* argv[])
{
    fixLocalTimeZone();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvra"));
    // No display name: the desktop would append it to the window's title.
    QApplication::setOrganizationName(QStringLiteral("KELVRA"));
    QApplication::setApplicationVersion(QStringLiteral(KELVRA_VERSION));
    kelvra::registerFontSubstitutions();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Recorder for the KELVRA four-channel seismic converter board."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("serial device to use instead of the first serial port, e.g. /dev/ttyUSB0, a pseudo-terminal, "
                       "COM3"),
        QStringLiteral("DEVICE"));
    parser.addOption(portOption);
    parser.process(app);

    kelvra::QtSerialLink link(parser.value(portOption));
    kelvra::Form1 form(link);
    if (!form.load())
        return 1;
    form.show();
    return QApplication::exec();
}
