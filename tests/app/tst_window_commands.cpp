#include "app/chart_surface.h"
#include "app/form1.h"
#include "app/recorder_timer.h"
#include "fake_serial_link.h"
#include "modal_answerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>


using kelvra::Form1;

namespace {

void pressKey(QMessageBox& box, Qt::Key key) { QTest::keyClick(&box, key); }

struct Snapshot {
    double sweep, segmentStart, reading, level;
    std::int16_t channel, mode;
    int interval1, interval2;
    QImage chart;
    bool operator==(const Snapshot& o) const
    {
        return sweep == o.sweep && segmentStart == o.segmentStart && reading == o.reading && level == o.level &&
               channel == o.channel && mode == o.mode && interval1 == o.interval1 && interval2 == o.interval2 &&
               chart == o.chart;
    }
};

Snapshot snapshot(Form1& form)
{
    auto& r = form.recorder();
    return {r.GP1_count, r.GP1S_count, r.ch2_dat, r.Per_ch2S, r.channelIndex(), r.timedMode(),
            form.Timer1->interval(), form.Timer2->interval(), form.GP2->grab().toImage()};
}

}  // namespace

class TstWindowCommands : public QObject {
    Q_OBJECT
private slots:
    void answeringNoChangesNothing()
    {
        kelvra::test::FakeSerialLink link;
        link.replies = QStringList{"100", "700", "300"};
        Form1 form(link);
        QVERIFY(form.load());
        form.show();
        form.recorder().timer1Tick();
        form.recorder().timer1Tick();
        form.Command6->click();
        // Hold the timers still so that the state before and after can be compared.
        form.Timer1->setIdle(true);
        form.Timer2->setIdle(true);
        const Snapshot before = snapshot(form);

        kelvra::test::ModalAnswerer escape([](QMessageBox& box) { pressKey(box, Qt::Key_Escape); });
        form.Command1->click();
        QCOMPARE(escape.title, QStringLiteral("終了確認"));
        QCOMPARE(escape.text, QStringLiteral("終了しますか。"));
        QCOMPARE(escape.icon, QMessageBox::NoIcon);
        QCOMPARE(escape.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(escape.defaultButton, QMessageBox::Yes);

        kelvra::test::ModalAnswerer no([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
        QVERIFY(!form.close());  // the close box asks the same question
        QCOMPARE(no.title, escape.title);
        QCOMPARE(no.text, escape.text);

        QVERIFY(form.isVisible());
        QVERIFY(link.open);
        QCOMPARE(link.closes, 0);
        QVERIFY(snapshot(form) == before);
    }

    void recordingGoesOnWhileTheQuestionIsShown()
    {
        kelvra::test::FakeSerialLink link;
        Form1 form(link);
        QVERIFY(form.load());
        form.show();
        const qsizetype requestsBefore = link.written.size();
        kelvra::test::ModalAnswerer slow([](QMessageBox& box) {
            QTimer::singleShot(200, &box, [&box] { box.button(QMessageBox::No)->click(); });
        });
        form.Command1->click();
        QVERIFY(link.written.size() > requestsBefore + 2);
    }

    void yesClosesThePortOnceAndEndsWithStatusZero()
    {
        kelvra::test::FakeSerialLink link;
        int status = -1;
        {
            Form1 form(link);
            QVERIFY(form.load());
            form.show();
            kelvra::test::ModalAnswerer enter([](QMessageBox& box) { pressKey(box, Qt::Key_Return); });
            QTimer::singleShot(0, form.Command1, &QPushButton::click);
            status = QApplication::exec();
            QCOMPARE(link.closes, 1);
            QVERIFY(!link.open);
            QVERIFY(!form.Timer1->isTicking());
        }
        QCOMPARE(status, 0);
        QCOMPARE(link.closes, 1);  // the window's unload does not close it again
    }

    void unloadingWithoutTheExitPathClosesThePort()
    {
        kelvra::test::FakeSerialLink link;
        {
            Form1 form(link);
            QVERIFY(form.load());
        }
        QCOMPARE(link.closes, 1);
    }

    void saveChordWithoutADisplayIsReportedAndRecordingGoesOn()
    {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("needs a platform without X11");
        kelvra::test::FakeSerialLink link;
        Form1 form(link);
        QVERIFY(form.load());
        form.show();
        const auto stateBefore = form.recorder().GP1_count;
        form.Command2->click();
        form.Command2->click();
        QMessageBox* notice = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
                notice = box;
        QVERIFY(notice);
        QVERIFY(notice->text().contains(QStringLiteral("Ctrl+Alt+X")));
        QVERIFY(!notice->isModal());
        QVERIFY(form.Timer1->isTicking());
        QVERIFY(link.open);
        QCOMPARE(form.recorder().GP1_count, stateBefore);
    }
};

QTEST_MAIN(TstWindowCommands)
#include "tst_window_commands.moc"
