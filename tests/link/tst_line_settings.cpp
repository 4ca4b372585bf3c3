#include "link/line_settings.h"

#include <QTest>

using kelvra::LineSettings;
using kelvra::LineSettingsError;
using kelvra::parseLineSettings;

class TestLineSettings : public QObject {
    Q_OBJECT

private slots:
    void acceptsValidForms_data();
    void acceptsValidForms();
    void rejectsMalformedForms_data();
    void rejectsMalformedForms();
};

void TestLineSettings::acceptsValidForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("baud");
    QTest::addColumn<QSerialPort::Parity>("parity");
    QTest::addColumn<QSerialPort::DataBits>("dataBits");
    QTest::addColumn<QSerialPort::StopBits>("stopBits");

    QTest::newRow("recorder") << "9600,n,8,1" << 9600 << QSerialPort::NoParity << QSerialPort::Data8 << QSerialPort::OneStop;
    QTest::newRow("upper case") << "9600,N,8,1" << 9600 << QSerialPort::NoParity << QSerialPort::Data8 << QSerialPort::OneStop;
    QTest::newRow("even") << "19200,e,7,2" << 19200 << QSerialPort::EvenParity << QSerialPort::Data7 << QSerialPort::TwoStop;
    QTest::newRow("odd") << "300,O,5,1.5" << 300 << QSerialPort::OddParity << QSerialPort::Data5 << QSerialPort::OneAndHalfStop;
    QTest::newRow("mark") << "115200,m,6,1" << 115200 << QSerialPort::MarkParity << QSerialPort::Data6 << QSerialPort::OneStop;
    QTest::newRow("space") << "1200,S,8,2" << 1200 << QSerialPort::SpaceParity << QSerialPort::Data8 << QSerialPort::TwoStop;
}

void TestLineSettings::acceptsValidForms()
{
    QFETCH(QString, text);
    const LineSettings settings = parseLineSettings(text);
    QTEST(settings.baudRate, "baud");
    QTEST(settings.parity, "parity");
    QTEST(settings.dataBits, "dataBits");
    QTEST(settings.stopBits, "stopBits");
}

void TestLineSettings::rejectsMalformedForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault");

    QTest::newRow("three fields") << "9600,n,8" << "found 3";
    QTest::newRow("five fields") << "9600,n,8,1,1" << "found 5";
    QTest::newRow("empty") << "" << "found 1";
    QTest::newRow("parity letter") << "9600,x,8,1" << "parity \"x\"";
    QTest::newRow("parity word") << "9600,no,8,1" << "parity \"no\"";
    QTest::newRow("parity missing") << "9600,,8,1" << "parity \"\"";
    QTest::newRow("nine data bits") << "9600,n,9,1" << "data bits \"9\"";
    QTest::newRow("four data bits") << "9600,n,4,1" << "data bits \"4\"";
    QTest::newRow("three stop bits") << "9600,n,8,3" << "stop bits \"3\"";
    QTest::newRow("baud zero") << "0,n,8,1" << "baud rate \"0\"";
    QTest::newRow("baud negative") << "-9600,n,8,1" << "baud rate \"-9600\"";
    QTest::newRow("baud word") << "fast,n,8,1" << "baud rate \"fast\"";
    QTest::newRow("baud too large") << "99999999999,n,8,1" << "baud rate \"99999999999\"";
    QTest::newRow("blank before parity") << "9600, n,8,1" << "parity \" n\"";
    QTest::newRow("blank stop bits") << "9600,n,8, " << "stop bits \" \"";
    QTest::newRow("all blanks") << " , , , " << "baud rate \" \"";
}

void TestLineSettings::rejectsMalformedForms()
{
    QFETCH(QString, text);
    QFETCH(QString, fault);
    try {
        parseLineSettings(text);
        QFAIL("accepted");
    } catch (const LineSettingsError& e) {
        const QString message = QString::fromUtf8(e.what());
        QVERIFY2(message.contains(u'"' + text + u'"'), qPrintable(message));
        QVERIFY2(message.contains(fault), qPrintable(message));
    }
}

QTEST_APPLESS_MAIN(TestLineSettings)
#include "tst_line_settings.moc"
