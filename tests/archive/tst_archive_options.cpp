#include "archive/archive_options.h"

#include <QTest>

using kelvra::archive::ArchiveOptions;
using kelvra::archive::ArchiveSettings;

class TstArchiveOptions : public QObject {
    Q_OBJECT
private slots:
    // A refused value is named with its option; an accepted one lands in the settings.
    void readsOrRefusesTheArchiveOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("refusal");   // what the message names; empty when accepted
        QTest::addColumn<QString>("settings");  // enabled|root|NET.STA.LOC|channels|keep-days
        QTest::newRow("defaults") << QStringList{} << ""
                                  << "1|" + kelvra::archive::defaultArchiveRoot() + "|XX.KELV.00|SHZ,SH1,SH2,SH3|-";
        QTest::newRow("all given") << QStringList{"--archive", "/a", "--station", "jp.abc", "--channels",
                                                  "EHZ,EHN,EHE,BDF", "--keep-days", "30"}
                                   << "" << "1|/a|JP.ABC.|EHZ,EHN,EHE,BDF|30";
        QTest::newRow("off") << QStringList{"--no-archive"} << "" << "0|" + kelvra::archive::defaultArchiveRoot()
                                                                    + "|XX.KELV.00|SHZ,SH1,SH2,SH3|-";
        QTest::newRow("both") << QStringList{"--no-archive", "--archive", "/a"} << "--no-archive" << "";
        QTest::newRow("empty folder") << QStringList{"--archive", ""} << "--archive" << "";
        QTest::newRow("bad station") << QStringList{"--station", "ABC.DEFGHI"} << "--station \"ABC.DEFGHI\"" << "";
        QTest::newRow("bad channels") << QStringList{"--channels", "A,B"} << "--channels \"A,B\"" << "";
        QTest::newRow("zero days") << QStringList{"--keep-days", "0"} << "--keep-days \"0\"" << "";
        QTest::newRow("days not a number") << QStringList{"--keep-days", "week"} << "--keep-days \"week\"" << "";
    }
    void readsOrRefusesTheArchiveOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, refusal);
        QFETCH(QString, settings);
        QCommandLineParser parser;
        const ArchiveOptions options;
        options.addTo(parser);
        QVERIFY(parser.parse(QStringList{"kelvra"} + arguments));
        ArchiveSettings read;
        const QString error = options.read(parser, read);
        if (!refusal.isEmpty()) {
            QVERIFY2(error.contains(refusal), qPrintable(error));
            return;
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QString got = QStringList{QString::number(read.enabled), read.root,
                                        read.codes.network + u'.' + read.codes.station + u'.' + read.codes.location,
                                        QStringList(read.codes.channels.begin(), read.codes.channels.end()).join(u','),
                                        read.keepDays ? QString::number(*read.keepDays) : QStringLiteral("-")}
                                .join(u'|');
        QCOMPARE(got, settings);
    }
};

QTEST_GUILESS_MAIN(TstArchiveOptions)
#include "tst_archive_options.moc"
