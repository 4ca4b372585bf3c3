#include "archive/sds_layout.h"
#include "archive/station_codes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using kelvra::archive::SdsLayout;
using kelvra::archive::StationCodes;

class TestStationCodes : public QObject {
    Q_OBJECT

private slots:
    void parsesOrRejectsStation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");  // NET|STA|LOC, empty when refused
        QTest::newRow("full") << "JP.tsk1.10" << "JP|TSK1|10";
        QTest::newRow("no location") << "XX.ABC" << "XX|ABC|";
        QTest::newRow("empty location") << "XX.ABC." << "XX|ABC|";
        QTest::newRow("network too long") << "XXX.ABC.00" << "";
        QTest::newRow("station too long") << "XX.ABCDEF.00" << "";
        QTest::newRow("empty station") << "XX..00" << "";
        QTest::newRow("path in a code") << "XX.A/B.00" << "";
        QTest::newRow("four parts") << "XX.A.00.1" << "";
    }
    void parsesOrRejectsStation()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        StationCodes codes;
        const QString error = kelvra::archive::parseStation(text, codes);
        QCOMPARE(error.isEmpty(), !expected.isEmpty());
        const QString got = codes.network + u'|' + codes.station + u'|' + codes.location;
        QCOMPARE(got, expected.isEmpty() ? QStringLiteral("XX|KELV|00") : expected);
    }

    void parsesOrRejectsChannels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("four") << "ehz,EHN,EHE,HDF" << true;
        QTest::newRow("three") << "EHZ,EHN,EHE" << false;
        QTest::newRow("short code") << "EHZ,EH,EHE,HDF" << false;
        QTest::newRow("twice") << "EHZ,EHN,ehz,HDF" << false;
    }
    void parsesOrRejectsChannels()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        StationCodes codes;
        QCOMPARE(kelvra::archive::parseChannels(text, codes).isEmpty(), accepted);
        QCOMPARE(codes.channels[0], accepted ? QStringLiteral("EHZ") : QStringLiteral("SHZ"));
    }

    void namesDayFilesInTheSdsLayout()
    {
        StationCodes codes;
        QCOMPARE(SdsLayout("/a/b/").dayFile(codes, "SH1", QDate(2024, 1, 5)),
                 QStringLiteral("/a/b/2024/XX/KELV/SH1.D/XX.KELV.00.SH1.D.2024.005"));
        codes.location.clear();
        QCOMPARE(SdsLayout("/a").dayFile(codes, "SHZ", QDate(2024, 12, 31)),
                 QStringLiteral("/a/2024/XX/KELV/SHZ.D/XX.KELV..SHZ.D.2024.366"));
    }

    // Paths under the archive folder, a folder where they end in a slash; the days listed for
    // XX.KELV.00.SHZ.
    void listsTheDaysOfAStream_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("days");
        const QString day = QStringLiteral("%1/XX/KELV/SHZ.D/XX.KELV.00.SHZ.D.%1.%2");
        QTest::newRow("a year boundary") << QStringList{day.arg("2024", "366"), day.arg("2025", "001")}
                                         << "2024-12-31 2025-01-01";
        QTest::newRow("not a day") << QStringList{day.arg("2024", "005"), day.arg("2024", "006") + u'/',
                                                  day.arg("2024", "7"), day.arg("2023", "366"), "02024/", "+2024/"}
                                   << "2024-01-05";
        QTest::newRow("other streams")
            << QStringList{day.arg("2024", "009"), "2024/XX/KELV/SHZ.D/XX.KELV.10.SHZ.D.2024.010",
                           "2024/XX/KEL/SHZ.D/XX.KEL.00.SHZ.D.2024.011", "2024/XX/KELV/SH1.D/XX.KELV.00.SH1.D.2024.012"}
            << "2024-01-09";
    }
    void listsTheDaysOfAStream()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, days);
        QTemporaryDir root;
        for (const QString& path : paths) {
            const QString full = root.filePath(path);
            QVERIFY(QDir().mkpath(path.endsWith(u'/') ? full : QFileInfo(full).path()));
            QVERIFY(path.endsWith(u'/') || QFile(full).open(QIODevice::WriteOnly));
        }
        QStringList listed;
        for (const QDate& listedDay : SdsLayout(root.path()).daysPresent(StationCodes(), QStringLiteral("SHZ")))
            listed << listedDay.toString(Qt::ISODate);
        QCOMPARE(listed.join(u' '), days);
    }
};

QTEST_GUILESS_MAIN(TestStationCodes)
#include "tst_station_codes.moc"
