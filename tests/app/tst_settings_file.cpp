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
    // A null file text means no file; "folder", "dangling link" and "looping link" stand for what
    // is found where the file should be.
    QTest::addColumn<QString>("fileText");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");  // HOME and FOLDER stand for the home folder and the file's
    QTest::addColumn<int>("origin");
    // Empty: the settings are usable. Otherwise texts the error must hold; FILE stands for its path.
    QTest::addColumn<QStringList>("errorNames");

    const int unset = int(Settings::Origin::Unset);
    const int file = int(Settings::Origin::File);
    const int commandLine = int(Settings::Origin::CommandLine);
    const QStringList fine;
    const QString huge(1 << 20, u'x');
    QTest::newRow("nothing given") << QString() << QStringList() << "port" << QString() << unset << fine;
    QTest::newRow("file") << "port=/dev/ttyUSB0\n" << QStringList() << "port" << "/dev/ttyUSB0" << file << fine;
    QTest::newRow("file, General section") << "[General]\nport = /dev/ttyUSB1\n" << QStringList() << "port"
                                           << "/dev/ttyUSB1" << file << fine;
    QTest::newRow("comma kept") << "port=/dev/a,b\n" << QStringList() << "port" << "/dev/a,b" << file << fine;
    QTest::newRow("comma and space kept") << "archive=/p/x, y\n" << QStringList() << "archive" << "/p/x, y" << file
                                          << fine;
    QTest::newRow("backslashes kept") << "archive=/p/t\\tab\\new\n" << QStringList() << "archive"
                                      << "/p/t\\tab\\new" << file << fine;
    QTest::newRow("home folder") << "  archive = ~/seis\n" << QStringList() << "archive" << "HOME/seis" << file
                                 << fine;
    QTest::newRow("relative to the file, comments")
        << "# where\n; the archive is\narchive=seis ; beside this file\n" << QStringList() << "archive"
        << "FOLDER/seis" << file << fine;
    QTest::newRow("option over file") << "port=/dev/ttyUSB0\n" << QStringList{"--port", "/dev/ttyACM0"} << "port"
                                      << "/dev/ttyACM0" << commandLine << fine;
    QTest::newRow("option alone") << QString() << QStringList{"--port", "/dev/ttyACM0"} << "port" << "/dev/ttyACM0"
                                  << commandLine << fine;
    QTest::newRow("empty value") << "port=\n" << QStringList() << "port" << QString() << unset
                                 << QStringList{"FILE", "port=", "no device is named", "line 1"};
    QTest::newRow("at sign kept") << "port=/dev/a\n\nstation=@Rect(1 2 3 4)\n" << QStringList() << "port"
                                  << QString() << unset << QStringList{"FILE", "station=@Rect(1 2 3 4) ", "line 3"};
    QTest::newRow("unknown key") << "prot=/dev/ttyUSB0\n" << QStringList{"--port", "/dev/ttyACM0"} << "port"
                                 << QString() << unset
                                 << QStringList{"FILE", "prot=/dev/ttyUSB0", "settings are: port"};
    QTest::newRow("line without =") << "port=/dev/a\nstation JP.TKY01.00\n" << QStringList() << "port" << QString()
                                    << unset << QStringList{"FILE", "line 2", "station JP.TKY01.00"};
    QTest::newRow("NUL byte") << QString::fromUtf8("prot=a\0b\n", 9) << QStringList() << "port" << QString() << unset
                              << QStringList{"FILE", "line 1", "NUL"};
    QTest::newRow("huge value") << "station=" + huge + "\n" << QStringList() << "port" << QString() << unset
                                << QStringList{"FILE", "line 1", "longer than"};
    QTest::newRow("huge option") << QString() << QStringList{"--station", huge} << "port" << QString() << unset
                                 << QStringList{"--station", "xxx…"};
    QTest::newRow("empty option") << "port=/dev/ttyUSB0\n" << QStringList{"--port", ""} << "port" << QString()
                                  << unset << QStringList{"--port", "no device is named"};
    QTest::newRow("folder in its place") << "folder" << QStringList() << "port" << QString() << unset
                                         << QStringList{"FILE", "cannot be read"};
    QTest::newRow("dangling link") << "dangling link" << QStringList() << "port" << QString() << unset
                                   << QStringList{"FILE", "cannot be read"};
    QTest::newRow("looping link") << "looping link" << QStringList() << "port" << QString() << unset
                                  << QStringList{"FILE", "cannot be read"};
}

void TstSettingsFile::commandLineOverridesFileAndBadValuesAreNamed()
{
    QFETCH(QString, fileText);
    QFETCH(QStringList, arguments);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QStringList, errorNames);

    QTemporaryDir config;
    QVERIFY(config.isValid());
    const QString path = config.filePath(QStringLiteral("kelvra.conf"));
    const bool standIn = fileText == QLatin1String("folder") || fileText.endsWith(QLatin1String(" link"));
    if (fileText == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (fileText == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(config.filePath(QStringLiteral("gone")), path));
    } else if (fileText == QLatin1String("looping link")) {
        QVERIFY(QFile::link(path, path));
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
        const QByteArray name = key.toLatin1();
        value.replace(QLatin1String("HOME"), QDir::homePath()).replace(QLatin1String("FOLDER"), config.path());
        QCOMPARE(settings.value(name.constData()), value);
        QTEST(int(settings.origin(name.constData())), "origin");
        QCOMPARE(settings.filePath(), path);
    } catch (const SettingsError& error) {
        const QString message = QString::fromStdString(error.what());
        QVERIFY2(!errorNames.isEmpty(), qPrintable(message));
        for (QString name : errorNames)
            QVERIFY2(message.contains(name.replace(QLatin1String("FILE"), path)), qPrintable(message.left(500)));
        QVERIFY2(message.size() < 500, "a message too long to read");
    }
    // Only ever read: not rewritten, not created.
    if (fileText.isNull())
        QVERIFY(!QFileInfo::exists(path));
    else if (!standIn) {
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(in.readAll()), fileText);
        QCOMPARE(QFileInfo(path).lastModified(), writtenAt);
    }
}

QTEST_GUILESS_MAIN(TstSettingsFile)
#include "tst_settings_file.moc"
