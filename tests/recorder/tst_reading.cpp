#include "recorder/reading.h"

#include <QLocale>
#include <QTest>
#include <clocale>
#include <cmath>

using kelvra::parseReading;
using kelvra::voltsText;

class TstReading : public QObject {
    Q_OBJECT
private slots:
    void acceptsDecimalNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "512" << 512.0;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("line end") << "512\r\n" << 512.0;
        QTest::newRow("blanks and tabs") << " \t1023 \t" << 1023.0;
        QTest::newRow("fraction") << "511.5" << 511.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "7." << 7.0;
        QTest::newRow("signs") << "-10" << -10.0;
        QTest::newRow("plus") << "+12" << 12.0;
        QTest::newRow("exponent") << "1.5e2" << 150.0;
        QTest::newRow("huge but finite") << "1e300" << 1e300;
        QTest::newRow("underflow is zero") << "1e-400" << 0.0;
    }
    void acceptsDecimalNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        const auto reading = parseReading(text);
        QVERIFY(reading.has_value());
        QCOMPARE(*reading, value);
    }

    void rejectsWhatIsNotOneNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("only blanks") << " \r\n";
        QTest::newRow("letters") << "abc";
        QTest::newRow("digits then letters") << "51x";
        QTest::newRow("two numbers") << "512 498";
        QTest::newRow("numbers run together with text") << "512,498";
        QTest::newRow("NUL inside") << QString::fromLatin1("51\0" "2", 4);
        QTest::newRow("control byte") << QString::fromLatin1("\x01" "512");
        QTest::newRow("nan") << "nan";
        QTest::newRow("inf") << "inf";
        QTest::newRow("beyond double range") << "1e400";
        QTest::newRow("decimal comma") << "511,5";
        QTest::newRow("bare sign") << "-";
        QTest::newRow("bare exponent") << "1e";
        QTest::newRow("hex") << "0x1F";
        QTest::newRow("full-width digits") << QStringLiteral("５１２");
    }
    void rejectsWhatIsNotOneNumber()
    {
        QFETCH(QString, text);
        QVERIFY(!parseReading(text).has_value());
    }

    // Only the board's own form is a reading for the archive; the other forms are what pieces and
    // glued replies look like.
    void knowsTheBoardsReadings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("counts");
        const int reading = int(kelvra::BoardReadingKind::Reading);
        const int junk = int(kelvra::BoardReadingKind::NotANumber);
        const int range = int(kelvra::BoardReadingKind::OutOfRange);
        QTest::newRow("plain") << "512" << reading << 512;
        QTest::newRow("line end around") << " 1023\r\n" << reading << 1023;
        QTest::newRow("zero") << "0" << reading << 0;
        QTest::newRow("leading zero") << "042" << junk << 0;
        QTest::newRow("sign") << "+512" << junk << 0;
        QTest::newRow("fraction") << "512.0" << junk << 0;
        QTest::newRow("exponent") << "5.12e2" << junk << 0;
        QTest::newRow("negative") << "-1" << junk << 0;
        QTest::newRow("empty") << "" << junk << 0;
        QTest::newRow("above full scale") << "1024" << range << 0;
        QTest::newRow("two replies run together") << "117511" << range << 0;
    }
    void knowsTheBoardsReadings()
    {
        QFETCH(QString, text);
        const kelvra::BoardReading reading = kelvra::boardReading(text);
        QTEST(int(reading.kind), "kind");
        QTEST(int(reading.counts), "counts");
    }

    void ignoresTheDesktopLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        const auto reading = parseReading(u"511.5");
        const QString volts = voltsText(512);
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(before);
        QVERIFY(reading.has_value());
        QCOMPARE(*reading, 511.5);
        QCOMPARE(volts, QStringLiteral("2.50"));
    }

    void voltsRoundHalfToEven_data()
    {
        QTest::addColumn<double>("reading");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << "0.00";
        QTest::newRow("512") << 512.0 << "2.50";
        QTest::newRow("1000") << 1000.0 << "4.89";
        QTest::newRow("1022 rounds up") << 1022.0 << "5.00";
        QTest::newRow("1023") << 1023.0 << "5.00";
        QTest::newRow("2046") << 2046.0 << "10.00";
        QTest::newRow("-10") << -10.0 << "-0.05";
        QTest::newRow("tiny negative is not -0.00") << -0.001 << "0.00";
        // 25.575 counts are 0.125 V exactly: the half goes to the even hundredth.
        QTest::newRow("exact half down") << 25.575 << "0.12";
        QTest::newRow("exact half up") << 76.725 << "0.38";
    }
    void voltsRoundHalfToEven()
    {
        QFETCH(double, reading);
        QFETCH(QString, text);
        QCOMPARE(voltsText(reading), text);
    }

    void voltsStayShortOffScale()
    {
        QCOMPARE(voltsText(1e300), QStringLiteral(">9999.99"));
        QCOMPARE(voltsText(-1e300), QStringLiteral("<-9999.99"));
        QCOMPARE(voltsText(1.7e308), QStringLiteral(">9999.99"));
        QCOMPARE(voltsText(2045998.0), QStringLiteral("9999.99"));
        QCOMPARE(voltsText(2045999.0), QStringLiteral(">9999.99"));
    }
};

QTEST_GUILESS_MAIN(TstReading)
#include "tst_reading.moc"
