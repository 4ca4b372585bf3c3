#include "archive/sds_layout.h"
#include "settings/settings_file.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using kelvra::Settings;
using kelvra::SettingsError;
using kelvra::archive::ArchiveSettings;

class TstArchiveOptions : public QObject {
    Q_OBJECT
private slots:
    // The archive's settings from the file, overridden by the command line. A refused value is
    // named with its key and the file, or with its option; an accepted one lands in the settings.
    void readsOrRefusesTheArchiveSettings_data()
    {
        QTest::addColumn<QString>("fileText");  // null: no settings file
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("refusal");   // what the message names, FILE for its path; empty when accepted
        QTest::addColumn<QString>("settings");  // enabled|root|NET.STA.LOC|channels|keep-days
        const QString root = kelvra::archive::defaultArchiveRoot();
        const QString none;
        QTest::newRow("defaults") << none << QStringList{} << "" << "1|" + root + "|XX.KELV.00|SHZ,SH1,SH2,SH3|-";
        QTest::newRow("all given") << none
                                   << QStringList{"--archive", "/a", "--station", "jp.abc", "--channels",
                                                  "EHZ,EHN,EHE,BDF", "--keep-days", "30"}
                                   << "" << "1|/a|JP.ABC.|EHZ,EHN,EHE,BDF|30";
        QTest::newRow("off") << none << QStringList{"--no-archive"} << ""
                             << "0|" + root + "|XX.KELV.00|SHZ,SH1,SH2,SH3|-";
        QTest::newRow("both") << none << QStringList{"--no-archive", "--archive", "/a"} << "--no-archive" << "";
        QTest::newRow("empty folder") << none << QStringList{"--archive", ""} << "--archive" << "";
        QTest::newRow("bad station") << none << QStringList{"--station", "ABC.DEFGHI"} << "--station" << "";
        QTest::newRow("bad channels") << none << QStringList{"--channels", "A,B"} << "--channels" << "";
        QTest::newRow("zero days") << none << QStringList{"--keep-days", "0"} << "--keep-days" << "";
        QTest::newRow("days not a number") << none << QStringList{"--keep-days", "week"} << "--keep-days" << "";

        const QString file = "archive=/f\nstation=jp.abc.01\nchannels=EHZ,EHN,EHE,BDF\nkeep_days=7\n";
        QTest::newRow("file") << file << QStringList{} << "" << "1|/f|JP.ABC.01|EHZ,EHN,EHE,BDF|7";
        QTest::newRow("options over file")
            << file << QStringList{"--archive", "/a", "--station", "XX.B", "--channels", "SHZ,SHN,SHE,BDF",
                                   "--keep-days", "30"}
            << "" << "1|/a|XX.B.|SHZ,SHN,SHE,BDF|30";
        QTest::newRow("off in file") << "archive=/f\narchive_enabled=false\n" << QStringList{} << ""
                                     << "0|/f|XX.KELV.00|SHZ,SH1,SH2,SH3|-";
        QTest::newRow("off in file, folder on command line")
            << "archive_enabled=no\n" << QStringList{"--archive", "/a"} << "" << "1|/a|XX.KELV.00|SHZ,SH1,SH2,SH3|-";
        QTest::newRow("on in file, off on command line") << "archive_enabled=true\n" << QStringList{"--no-archive"}
                                                         << "" << "0|" + root + "|XX.KELV.00|SHZ,SH1,SH2,SH3|-";
        QTest::newRow("bad switch in file") << "archive_enabled=maybe\n" << QStringList{} << "FILE: archive_enabled=maybe" << "";
        QTest::newRow("bad station in file") << "station=ABC.DEFGHI\n" << QStringList{} << "FILE: station=ABC.DEFGHI" << "";
        QTest::newRow("bad channels in file") << "channels=A,B\n" << QStringList{} << "FILE: channels=A,B" << "";
        QTest::newRow("bad days in file") << "keep_days=week\n" << QStringList{"--keep-days", "3"}
                                          << "FILE: keep_days=week" << "";
        QTest::newRow("empty folder in file") << "archive=\n" << QStringList{} << "FILE: archive=" << "";
    }
    void readsOrRefusesTheArchiveSettings()
    {
        QFETCH(QString, fileText);
        QFETCH(QStringList, arguments);
        QFETCH(QString, refusal);
        QFETCH(QString, settings);
        QTemporaryDir config;
        QVERIFY(config.isValid());
        const QString path = config.filePath(QStringLiteral("kelvra.conf"));
        if (!fileText.isNull()) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(fileText.toUtf8());
        }
        QCommandLineParser parser;
        Settings::describeOptions(parser);
        QVERIFY(parser.parse(QStringList{"kelvra"} + arguments));
        try {
            const ArchiveSettings read = Settings::read(path, parser).archive();
            QVERIFY2(refusal.isEmpty(), "a bad value was accepted");
            const QString got = QStringList{QString::number(read.enabled), read.root,
                                            kelvra::archive::SdsLayout::streamId(read.codes),
                                            QStringList(read.codes.channels.begin(), read.codes.channels.end()).join(u','),
                                            read.keepDays ? QString::number(*read.keepDays) : QStringLiteral("-")}
                                    .join(u'|');
            QCOMPARE(got, settings);
        } catch (const SettingsError& error) {
            const QString message = QString::fromStdString(error.what());
            QVERIFY2(!refusal.isEmpty(), qPrintable(message));
            QVERIFY2(message.contains(QString(refusal).replace(QLatin1String("FILE"), path)), qPrintable(message));
        }
    }
};

QTEST_GUILESS_MAIN(TstArchiveOptions)
#include "tst_archive_options.moc"
