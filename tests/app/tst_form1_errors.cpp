#include "app/form1.h"
#include "app/recorder_timer.h"
#include "fake_serial_link.h"
#include "modal_answerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

using kelvra::Form1;

namespace {

class BrokenClock : public kelvra::Clock {
public:
    QTime timeOfDay() const override { throw std::runtime_error("clock unreadable"); }
    std::int64_t utcNanoseconds() const override { return 0; }
    void pause(int) override {}
};

}  // namespace

class TstForm1Errors : public QObject {
    Q_OBJECT
private slots:
    void startUpFailureIsReported();
    // Last: ending the program leaves this process without a usable event loop.
    void handlerFailureEndsTheProgram();
};

void TstForm1Errors::startUpFailureIsReported()
{
    kelvra::test::FakeSerialLink link;
    link.failOpen = true;
    Form1 form(link);
    kelvra::test::ModalAnswerer box([](QMessageBox& answered) { answered.close(); });
    QVERIFY(!form.load());
    QCOMPARE(box.title, QStringLiteral("KELVRA: /dev/fake0"));
    QCOMPARE(box.text, QStringLiteral("Permission denied"));
    QVERIFY(!form.Timer1->isTicking());
    QVERIFY(!form.Timer2->isTicking());
    QVERIFY(link.written.isEmpty());
    QVERIFY(!form.isVisible());
}

void TstForm1Errors::handlerFailureEndsTheProgram()
{
    kelvra::test::FakeSerialLink link;
    BrokenClock clock;
    Form1 form(link, clock);
    QVERIFY(form.load());
    form.recorder().command5Click();
    QVERIFY(form.Timer2->isTicking());

    kelvra::test::ModalAnswerer box([](QMessageBox& answered) { answered.close(); });
    emit form.Timer1->timeout();
    QCOMPARE(box.text, QStringLiteral("clock unreadable"));
    QVERIFY(!form.Timer1->isTicking());
    QVERIFY(!form.Timer2->isTicking());

    // Nothing more reaches the recorder, not even a click.
    const double sweep = form.recorder().GP1_count;
    emit form.Timer2->timeout();
    form.Command3->click();
    QCOMPARE(form.recorder().GP1_count, sweep);
}

QTEST_MAIN(TstForm1Errors)
#include "tst_form1_errors.moc"
