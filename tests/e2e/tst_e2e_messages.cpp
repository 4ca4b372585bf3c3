#include "tests/e2e/recorder_process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 15000;

}  // namespace

// The program's own messages in the language of the locale, and the settings file as main reads it.
class TstE2eMessages : public QObject {
    Q_OBJECT
private slots:
    void helpIsInTheLanguageOfTheLocale_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Japanese") << "ja_JP.UTF-8" << "使用するシリアルデバイス";
        QTest::newRow("C") << "C" << "serial device to use instead of the first";
    }
    void helpIsInTheLanguageOfTheLocale()
    {
        QFETCH(QString, lang);
        QFETCH(QString, expected);
        QProcess help;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), lang);
        help.setProcessEnvironment(environment);
        help.start(QStringLiteral(KELVRA_PROGRAM), {"--help"});
        QVERIFY(help.waitForFinished(kPatienceMs));
        QCOMPARE(help.exitCode(), 0);
        const QString out = QString::fromUtf8(help.readAllStandardOutput());
        QVERIFY2(out.contains(expected), qPrintable(out));
    }

    void startFailureIsToldInTheLanguageOfTheLocale_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("settings");  // the settings file; null: none
        QTest::addColumn<bool>("portOption");   // else the settings file names the port
        QTest::addColumn<QStringList>("expected");  // @DEV and @FILE stand for the paths

        QTest::newRow("missing port, Japanese")
            << "ja_JP.UTF-8" << QString() << true
            << QStringList{"kelvra: @DEV: ", "起動オプション --port デバイス名", "設定ファイル @FILE に port=デバイス名"};
        QTest::newRow("missing port, C")
            << "C" << QString() << true
            << QStringList{"kelvra: @DEV: ", "Choose the port with the option --port DEVICE",
                           "a line port=DEVICE in the settings file @FILE"};
        QTest::newRow("port from the settings file")
            << "C" << "port=@DEV\n" << false
            << QStringList{"kelvra: @DEV: ", "The port @DEV was chosen in the settings file @FILE."};
        QTest::newRow("bad value in the settings file")
            << "C" << "port=\n" << true << QStringList{"Settings file @FILE: port= cannot be used: no device is named."};
        QTest::newRow("bad value in the settings file, Japanese")
            << "ja_JP.UTF-8" << "port=\n" << true
            << QStringList{"設定ファイル @FILE: port= は使用できません（デバイス名が指定されていません）。"};
    }
    void startFailureIsToldInTheLanguageOfTheLocale()
    {
        QFETCH(QString, lang);
        QFETCH(QString, settings);
        QFETCH(bool, portOption);
        QFETCH(QStringList, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString device = dir.filePath(QStringLiteral("board"));
        const QString file = dir.filePath(QStringLiteral("kelvra/kelvra.conf"));
        if (!settings.isNull()) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kelvra")));
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(QString(settings).replace(QLatin1String("@DEV"), device).toUtf8());
        }

        RecorderProcess recorder;
        recorder.setEnvironmentValue(QStringLiteral("LANG"), lang);
        recorder.setEnvironmentValue(QStringLiteral("LANGUAGE"), QString());
        recorder.setEnvironmentValue(QStringLiteral("LC_ALL"), QString());
        recorder.setEnvironmentValue(QStringLiteral("LC_MESSAGES"), QString());
        recorder.setEnvironmentValue(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        // The failure box waits for an answer that offscreen cannot give; the standard error
        // output carries the same text.
        QVERIFY(recorder.start(portOption ? device : QString(), RecorderProcess::Platform::Offscreen));
        for (QString text : expected) {
            text.replace(QLatin1String("@DEV"), device).replace(QLatin1String("@FILE"), file);
            QVERIFY2(recorder.waitForErrorOutput(text, kPatienceMs),
                     qPrintable(QStringLiteral("no \"%1\" in:\n%2").arg(text, recorder.errorOutput())));
        }
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }
};

QTEST_GUILESS_MAIN(TstE2eMessages)
#include "tst_e2e_messages.moc"
