#include "link/usb_latency.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Against a fake /sys and /dev in a temporary folder.
class TstUsbLatency : public QObject {
    Q_OBJECT
private slots:
    void latencyAboveTheLimitIsNoticedWithTheFix_data();
    void latencyAboveTheLimitIsNoticedWithTheFix();
};

void TstUsbLatency::latencyAboveTheLimitIsNoticedWithTheFix_data()
{
    QTest::addColumn<QString>("device");       // under the fake /dev
    QTest::addColumn<QByteArray>("timerText");  // null: the tty has no latency_timer
    QTest::addColumn<bool>("noticed");

    QTest::newRow("FTDI default 16 ms") << "ttyUSB0" << QByteArray("16\n") << true;
    QTest::newRow("5 ms") << "ttyUSB0" << QByteArray("5\n") << true;
    QTest::newRow("at the limit") << "ttyUSB0" << QByteArray("4\n") << false;
    QTest::newRow("lowered by the rule") << "ttyUSB0" << QByteArray("1\n") << false;
    QTest::newRow("through a by-id link") << "serial/by-id/usb-FTDI_A10K-if00-port0" << QByteArray("16\n") << true;
    QTest::newRow("no latency setting") << "ttyUSB0" << QByteArray() << false;
    QTest::newRow("unreadable value") << "ttyUSB0" << QByteArray("fast\n") << false;
}

void TstUsbLatency::latencyAboveTheLimitIsNoticedWithTheFix()
{
    QFETCH(QString, device);
    QFETCH(QByteArray, timerText);
    QFETCH(bool, noticed);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir top(root.path());
    QVERIFY(top.mkpath(QStringLiteral("dev/serial/by-id")));
    QFile tty(top.filePath(QStringLiteral("dev/ttyUSB0")));
    QVERIFY(tty.open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(QStringLiteral("../../ttyUSB0"),
                        top.filePath(QStringLiteral("dev/serial/by-id/usb-FTDI_A10K-if00-port0"))));
    const QString timerPath = top.filePath(QStringLiteral("sys/class/tty/ttyUSB0/device/latency_timer"));
    QVERIFY(top.mkpath(QStringLiteral("sys/class/tty/ttyUSB0/device")));
    if (!timerText.isNull()) {
        QFile timer(timerPath);
        QVERIFY(timer.open(QIODevice::WriteOnly));
        timer.write(timerText);
    }

    const QString devicePath = top.filePath(QStringLiteral("dev/") + device);
    const std::optional<QString> notice = kelvra::latencyNotice(devicePath, top.filePath(QStringLiteral("sys")));
    QCOMPARE(notice.has_value(), noticed);
    if (noticed) {
        QVERIFY2(notice->contains(devicePath), qPrintable(*notice));
        QVERIFY2(notice->contains(QStringLiteral(" %1 ms").arg(timerText.trimmed().constData())), qPrintable(*notice));
        QVERIFY2(notice->contains(QStringLiteral("echo 1 | sudo tee ") + timerPath), qPrintable(*notice));
    }
}

QTEST_GUILESS_MAIN(TstUsbLatency)
#include "tst_usb_latency.moc"
