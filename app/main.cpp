#include "app/form1.h"
#include "app/window_font.h"
#include "link/qt_serial_link.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvra"));
    QApplication::setApplicationDisplayName(QStringLiteral("KELVRA"));
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
