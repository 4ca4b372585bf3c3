#include "tests/e2e/recorder_process.h"
#include "tests/e2e/x11_display.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;
const QString kFontPackage = QStringLiteral("fonts-ipafont-gothic");

// Terminals the process has open: where a request could have gone.
QStringList terminalsOpenBy(qint64 pid)
{
    QStringList terminals;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget();
        if (target.startsWith(QLatin1String("/dev/pts/")) || target.startsWith(QLatin1String("/dev/tty")))
            terminals << target;
    }
    return terminals;
}

}  // namespace

// A device that cannot serve as the serial line stops the recorder before it starts recording.
class TstE2eStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !X11Display().isOpen())
            QSKIP("needs an X display (scripts/test.sh provides one)");
    }

    void unusableDeviceIsReportedAndEndsTheProgram_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << QStringLiteral("missing");
        QTest::newRow("directory") << QStringLiteral("directory");
        QTest::newRow("plain file") << QStringLiteral("file");
    }
    void unusableDeviceIsReportedAndEndsTheProgram()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString device = dir.filePath(QStringLiteral("board"));
        if (kind == QLatin1String("directory"))
            QVERIFY(QDir().mkdir(device));
        if (kind == QLatin1String("file")) {
            QFile file(device);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        X11Display display;
        QVERIFY2(display.isOpen(), "cannot open the X display");
        RecorderProcess recorder;
        QVERIFY(recorder.start(device, RecorderProcess::Platform::Xcb));
        QVERIFY2(recorder.waitForErrorOutput(QStringLiteral("kelvra: %1: ").arg(device), kPatienceMs),
                 qPrintable(recorder.errorOutput()));
        const WindowId box = display.waitForWindow(recorder.pid(), QString(), kPatienceMs);
        QVERIFY2(box != 0, "no message box");
        QVERIFY2(display.title(box).contains(device), qPrintable(display.title(box)));
        // The box is all there is: no recorder window, no line, and no status until it is answered.
        QCOMPARE(display.windowsOf(recorder.pid()).size(), 1);
        QCOMPARE(terminalsOpenBy(recorder.pid()), QStringList());
        QTest::qWait(300);
        QVERIFY(recorder.isRunning());

        display.pressKey(box, "Return");
        QVERIFY2(recorder.waitForExit(kPatienceMs), "still running after the box was answered");
        QVERIFY(recorder.exitedNormally());
        QVERIFY(recorder.exitCode() != 0);
        if (kind == QLatin1String("file"))
            QCOMPARE(QFileInfo(device).size(), qint64(0));
        QVERIFY(!recorder.errorOutput().contains(kFontPackage));
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }

    void aMissingJapaneseFontIsSaidOnce()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile noFonts(dir.filePath(QStringLiteral("fonts.conf")));
        QVERIFY(noFonts.open(QIODevice::WriteOnly));
        noFonts.write(QStringLiteral("<fontconfig><cachedir>%1</cachedir></fontconfig>\n").arg(dir.path()).toUtf8());
        noFonts.close();

        QProcess recorder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("FONTCONFIG_FILE"), noFonts.fileName());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        recorder.setProcessEnvironment(environment);
        recorder.setStandardOutputFile(QProcess::nullDevice());
        // A missing device ends start-up early, in a message box that nobody answers here.
        const QString device = dir.filePath(QStringLiteral("board"));
        recorder.start(QStringLiteral(KELVRA_PROGRAM), {"--port", device, "--no-archive"});
        QString errors;
        QVERIFY(QTest::qWaitFor([&] {
            errors += QString::fromLocal8Bit(recorder.readAllStandardError());
            return errors.contains(QStringLiteral("kelvra: %1: ").arg(device));
        }, kPatienceMs));
        QCOMPARE(errors.count(kFontPackage), 1);
        recorder.kill();
        recorder.waitForFinished(kPatienceMs);
    }
};

QTEST_GUILESS_MAIN(TstE2eStartup)
#include "tst_e2e_startup.moc"
