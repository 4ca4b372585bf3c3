#include "app/port_advice.h"
#include "link/port_catalog.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QtTest>

using kelvra::SerialPortEntry;

Q_DECLARE_METATYPE(QList<SerialPortEntry>)

class TstPortAdvice : public QObject {
    Q_OBJECT
private slots:
    void listsThePortsOfThisMachine();
    void adviceNamesEachPortAndHowToChoose_data();
    void adviceNamesEachPortAndHowToChoose();
};

// Pseudo-terminals are no serial ports, so this runs on whatever the machine has.
void TstPortAdvice::listsThePortsOfThisMachine()
{
    const QList<SerialPortEntry> ports = kelvra::serialPortsOfThisComputer();
    QCOMPARE(ports.size(), QSerialPortInfo::availablePorts().size());
    QStringList devices;
    for (const SerialPortEntry& port : ports) {
        QVERIFY2(QFileInfo::exists(port.device), qPrintable(port.device));
        devices << port.device;
    }
    QStringList ordered = devices;
    ordered.sort();
    ordered.removeDuplicates();
    QCOMPARE(devices, ordered);
}

void TstPortAdvice::adviceNamesEachPortAndHowToChoose_data()
{
    QTest::addColumn<QList<SerialPortEntry>>("ports");
    QTest::addColumn<QString>("portFromFile");
    QTest::addColumn<QString>("advice");

    const QString choose = QStringLiteral(
        "Choose the port with the option --port DEVICE, or with a line port=DEVICE in the settings file /home/u/k.conf.");
    const QList<SerialPortEntry> two{
        {"/dev/ttyS0", "", "", ""},
        {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A10K3J2P"},
        {"/dev/ttyACM0", "Arduino", "Arduino", ""},
    };
    QTest::newRow("ports") << two << QString()
                           << "Serial ports on this computer:\n"
                              "  /dev/ttyS0\n"
                              "  /dev/ttyUSB0: FT232R USB UART, FTDI, serial number A10K3J2P\n"
                              "  /dev/ttyACM0: Arduino\n" + choose +
                              "\nA USB adapter is best named by its /dev/serial/by-id/... name: it stays the same in "
                              "any USB socket, and an adapter pulled out and plugged in again while recording is found "
                              "again under it even when it comes back as another ttyUSB or ttyACM number.";
    QTest::newRow("none, port from the file")
        << QList<SerialPortEntry>() << QStringLiteral("/dev/ttyUSB0")
        << "No serial port is known on this computer. A USB serial adapter appears here once it is plugged in.\n"
           "The port /dev/ttyUSB0 was chosen in the settings file /home/u/k.conf.\n" + choose;
}

void TstPortAdvice::adviceNamesEachPortAndHowToChoose()
{
    QFETCH(QList<SerialPortEntry>, ports);
    QFETCH(QString, portFromFile);
    QTEST(kelvra::portChoiceAdvice(ports, QStringLiteral("/home/u/k.conf"), portFromFile), "advice");
}

QTEST_GUILESS_MAIN(TstPortAdvice)
#include "tst_port_advice.moc"
