#include "app/failure_report.h"
#include "app/form1.h"
#include "app/port_advice.h"
#include "app/stop_signals.h"
#include "app/translations.h"
#include "app/window_font.h"
#include "events/desktop_notice.h"
#include "events/live_detection.h"
#include "link/port_catalog.h"
#include "link/posix_serial_link.h"
#include "link/usb_latency.h"
#include "settings/settings_file.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <cstring>
#include <exception>
#include <memory>
#include <optional>

namespace {

// Without TZ the C library looks at /etc/localtime again for every reading of the clock, that
// is on every tick; naming it once keeps that off the recorder's cycle.
void fixLocalTimeZone()
{
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
}

// Over shared memory, Qt's X11 back end waits for the X server before painting anywhere the last
// screen update touched: a blocking round trip on nearly every repaint. Sent over the connection
// instead, the few small rectangles a repaint changes cost no more and never wait.
void avoidSharedMemoryImages()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("kelvra"));
    // No display name: the desktop would append it to the window's title.
    QCoreApplication::setOrganizationName(QStringLiteral("KELVRA"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVRA_VERSION));
}

void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("kelvra::main", "Recorder for the KELVRA four-channel seismic converter board.\n"
                                                    "Settings are read from %1; options given here override them.")
            .arg(kelvra::Settings::userFilePath()));
    parser.addHelpOption();
    parser.addVersionOption();
    kelvra::Settings::describeOptions(parser);
}

// The archive writes on a thread of its own; its notices reach the window through the event loop.
kelvra::archive::ArchiveEvents archiveEvents(kelvra::Form1& form)
{
    const auto showInWindow = [&form](bool working) {
        return [&form, working](const QString& text) {
            QMetaObject::invokeMethod(
                &form, [&form, text, working] { form.reportArchiveState(text, working); }, Qt::QueuedConnection);
        };
    };
    return {showInWindow(false), showInWindow(true),
            [](const QString& text) { kelvra::printError(QStringLiteral("kelvra: ") + text); }};
}

// The detector runs on the archive's thread; its desktop notices are sent from the window's, which
// owns the connection to the session bus.
kelvra::events::EventNotices eventNotices(QObject& receiver)
{
    return {[](const QString& text) { kelvra::printError(QStringLiteral("kelvra: ") + text); },
            [&receiver](const QString& summary, const QString& body) {
                QMetaObject::invokeMethod(
                    &receiver, [summary, body] { kelvra::events::showDesktopNotice(summary, body); },
                    Qt::QueuedConnection);
            }};
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
        kelvra::installTranslations(console);
        QCommandLineParser parser;
        describeOptions(parser);
        parser.process(console);
        return 0;
    }

    fixLocalTimeZone();
    avoidSharedMemoryImages();
    QApplication app(argc, argv);
    nameApplication();
    kelvra::installTranslations(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/64x64/kelvra.png")));
    QApplication::setDesktopFileName(QStringLiteral("io.github.kelvra.Kelvra"));
    kelvra::registerFontSubstitutions();
    if (!kelvra::hasJapaneseFont())
        kelvra::printError(kelvra::noJapaneseFontNotice());

    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app);
    kelvra::Settings settings;
    try {
        settings = kelvra::Settings::read(kelvra::Settings::userFilePath(), parser);
    } catch (const kelvra::SettingsError&) {
        kelvra::showFailure(kelvra::describeFailure(std::current_exception()), nullptr);
        return 1;
    }

    // Given but blank is not the same as not given: the link refuses it instead of taking the
    // first port.
    kelvra::PosixSerialLink link(settings.origin("port") == kelvra::Settings::Origin::Unset
                                     ? std::nullopt
                                     : std::optional(settings.value("port")));
    kelvra::Form1 form(link);
    std::unique_ptr<kelvra::archive::ArchiveSink> sink;
    if (const kelvra::archive::ArchiveSettings archive = settings.archive(); archive.enabled) {
        std::unique_ptr<kelvra::events::LiveDetection> detection;
        if (const kelvra::detector::DetectorSettings detector = settings.detector(); detector.enabled) {
            if (const QString problem = kelvra::events::LiveDetection::problemWith(detector, archive.codes);
                !problem.isEmpty()) {
                kelvra::showFailure(
                    kelvra::describeFailure(std::make_exception_ptr(kelvra::SettingsError(problem.toStdString()))),
                    nullptr);
                return 1;
            }
            detection = std::make_unique<kelvra::events::LiveDetection>(detector, archive, eventNotices(form));
        }
        sink = std::make_unique<kelvra::archive::ArchiveSink>(archive, archiveEvents(form), std::move(detection));
    }
    form.recorder().setSampleSink(sink.get());
    kelvra::StopSignals stopSignals;
    QObject::connect(&stopSignals, &kelvra::StopSignals::received, &form, &kelvra::Form1::exitNormally);
    const auto portAdvice = [&settings] {
        const bool fromFile = settings.origin("port") == kelvra::Settings::Origin::File;
        return kelvra::portChoiceAdvice(kelvra::serialPortsOfThisComputer(), settings.filePath(),
                                        fromFile ? settings.value("port") : QString());
    };
    if (!form.load(portAdvice))
        return 1;
    form.show();
    if (const std::optional<QString> notice = kelvra::latencyNotice(link.deviceName()))
        form.reportProblem(*notice);
    // Every way out returns from here; the sink then writes what it holds before it goes.
    return QApplication::exec();
}
