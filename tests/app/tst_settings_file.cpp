#include "settings/settings_file.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using kelvra::Settings;
using kelvra::SettingsError;

class TstSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void fileIsFoundUnderTheUsersConfigFolder();
    void commandLineOverridesFileAndBadValuesAreNamed_data();
    void commandLineOverridesFileAndBadValuesAreNamed();
};

void TstSettingsFile::fileIsFoundUnderTheUsersConfigFolder()
{
    QTemporaryDir config;
    QVERIFY(config.isValid());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString path = Settings::userFilePath();
    qputenv("XDG_CONFIG_HOME", saved);
    QCOMPARE(path, config.filePath(QStringLiteral("kelvra/kelvra.conf")));
}

void TstSettingsFile::commandLineOverridesFileAndBadValuesAreNamed_data()
{
    // A null file text means no file; a folder text means a folder stands where the file should be.
    QTest::addColumn<QString>("fileText");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("origin");
    // Empty: the settings are usable. Otherwise texts the error must hold; FILE stands for its path.
    QTest::addColumn<QStringList>("errorNames");

    const int unset = int(Settings::Origin::Unset);
    const int file = int(Settings::Origin::File);
    const int commandLine = int(Settings::Origin::CommandLine);
    const QStringList fine;
    QTest::newRow("nothing given") << QString() << QStringList() << QString() << unset << fine;
    QTest::newRow("file") << "port=/dev/ttyUSB0\n" << QStringList() << "/dev/ttyUSB0" << file << fine;
    QTest::newRow("file, General section") << "[General]\nport = /dev/ttyUSB1\n" << QStringList() << "/dev/ttyUSB1"
                                           << file << fine;
    QTest::newRow("comma kept") << "port=/dev/a,b\n" << QStringList() << "/dev/a,b" << file << fine;
    QTest::newRow("option over file") << "port=/dev/ttyUSB0\n" << QStringList{"--port", "/dev/ttyACM0"}
                                      << "/dev/ttyACM0" << commandLine << fine;
    QTest::newRow("option alone") << QString() << QStringList{"--port", "/dev/ttyACM0"} << "/dev/ttyACM0"
                                  << commandLine << fine;
    QTest::newRow("empty value") << "port=\n" << QStringList() << QString() << unset
                                 << QStringList{"FILE", "port=", "no device is named"};
    QTest::newRow("unknown key") << "prot=/dev/ttyUSB0\n" << QStringList{"--port", "/dev/ttyACM0"} << QString()
                                 << unset << QStringList{"FILE", "prot=/dev/ttyUSB0", "settings are: port"};
    QTest::newRow("empty option") << "port=/dev/ttyUSB0\n" << QStringList{"--port", ""} << QString() << unset
                                  << QStringList{"--port", "no device is named"};
    QTest::newRow("folder in its place") << "folder" << QStringList() << QString() << unset
                                         << QStringList{"FILE", "cannot be read"};
}

void TstSettingsFile::commandLineOverridesFileAndBadValuesAreNamed()
{
    QFETCH(QString, fileText);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, errorNames);

    QTemporaryDir config;
    QVERIFY(config.isValid());
    const QString path = config.filePath(QStringLiteral("kelvra.conf"));
    if (fileText == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (!fileText.isNull()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(fileText.toUtf8());
    }
    const QDateTime writtenAt = QFileInfo(path).lastModified();

    QCommandLineParser parser;
    Settings::describeOptions(parser);
    QVERIFY(parser.parse(QStringList{"kelvra"} + arguments));
    try {
        const Settings settings = Settings::read(path, parser);
        QVERIFY2(errorNames.isEmpty(), "a bad value was accepted");
        QTEST(settings.value("port"), "port");
        QTEST(int(settings.origin("port")), "origin");
        QCOMPARE(settings.filePath(), path);
    } catch (const SettingsError& error) {
        const QString message = QString::fromStdString(error.what());
        QVERIFY2(!errorNames.isEmpty(), qPrintable(message));
        for (QString name : errorNames)
            QVERIFY2(message.contains(name.replace(QLatin1String("FILE"), path)), qPrintable(message));
    }
    // Only ever read: not rewritten, not created.
    if (fileText.isNull())
        QVERIFY(!QFileInfo::exists(path));
    else if (fileText != QLatin1String("folder")) {
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(in.readAll()), fileText);
        QCOMPARE(QFileInfo(path).lastModified(), writtenAt);
    }
}

QTEST_GUILESS_MAIN(TstSettingsFile)
#include "tst_settings_file.moc"
