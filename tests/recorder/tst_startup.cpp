#include "fakes.h"
#include "recorder/recorder.h"

#include <QTest>

using namespace kelvra;
using namespace kelvra::test;

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    void leavesTheDescribedState()
    {
        FakeForm form;
        FakeLink link;
        FakeClock clock;
        Recorder r(form, link, clock);
        r.ch3_dat = 77;
        r.GP1_count = 500;
        r.startUp();

        QCOMPARE(r.GP1_count, 0.0);
        QCOMPARE(r.GP1S_count, 0.0);
        QCOMPARE(r.ch3_dat, 0.0);
        QCOMPARE(r.channelIndex(), std::int16_t(0));
        QCOMPARE(r.timedMode(), std::int16_t(0));
        QVERIFY(r.rxText().isEmpty());
        QCOMPARE(form.labelText[LabelId::Label30], QStringLiteral("Free"));
        QCOMPARE(form.interval[TimerId::Timer1], 20);
        QCOMPARE(form.interval[TimerId::Timer2], 1);
        QVERIFY(form.idle[TimerId::Timer2]);
        for (double level : {r.Per_ch1S, r.Per_ch2S, r.Per_ch3S, r.Per_ch4S})
            QCOMPARE(level, 1900.0);
        QVERIFY(form.lines.empty());
    }

    void computesTheGridInTheGivenOrder()
    {
        FakeForm form;
        FakeLink link;
        FakeClock clock;
        Recorder r(form, link, clock);
        r.startUp();

        QCOMPARE(r.divRatio(), 1.0 / 12.0);
        // Exact comparisons: the products are evaluated width * ratio first, then * k.
        QVERIFY(r.GP_Point3 == 2708.75);
        QVERIFY(r.GP_Point6 == 5417.5);
        QVERIFY(r.GP_Point9 == 8126.25);
        QVERIFY(r.GP_Point12 == 10835.0);
        QVERIFY(r.GP_Point7 == 6320.416666666666);
        QVERIFY(r.GP_Point11 == 9932.083333333332);
        QVERIFY(r.GP_Point7 != 10835.0 * 7 / 12);
        QVERIFY(r.GP_Height1 == 380.0 && r.GP_Height2 == 760.0);
        QVERIFY(r.GP_Height3 == 1140.0 && r.GP_Height4 == 1520.0);
        QVERIFY(r.GP_Point11 < 10800.0 && 10800.0 < r.GP_Point12);
    }

    void opensThePortThenStartsTheTimerThenRequestsChannelOne()
    {
        FakeForm form;
        FakeLink link;
        FakeClock clock;
        link.alsoInto = &form.calls;
        Recorder r(form, link, clock);
        r.startUp();

        const std::vector<QString> expected{"CommPort 1", "Settings 9600,n,8,1", "PortOpen 1", "InputLen 0", "Output 0"};
        QCOMPARE(link.calls, expected);
        QCOMPARE(link.written, QStringList{"0"});
        std::vector<QString> order;
        std::copy_if(form.calls.begin(), form.calls.end(), std::back_inserter(order), [](const QString& call) {
            return call == u"PortOpen 1" || call == u"timer1 20" || call.startsWith(u"Output");
        });
        QCOMPARE(order, (std::vector<QString>{"PortOpen 1", "timer1 20", "Output 0"}));
    }

    void aPortThatCannotOpenStopsStartUp()
    {
        FakeForm form;
        FakeLink link;
        link.failOpen = true;
        FakeClock clock;
        Recorder r(form, link, clock);
        QVERIFY_THROWS_EXCEPTION(LinkError, r.startUp());

        QVERIFY(link.written.isEmpty());
        QVERIFY(!form.interval.count(TimerId::Timer1));
        QCOMPARE(r.GP_Point12, 0.0);
        QCOMPARE(r.GP_Height4, 0.0);
    }

    void aGridThatOverflowsIsAnError()
    {
        FakeForm form;
        form.width = 3.0e38f;
        form.height = 3.0e38f;
        FakeLink link;
        FakeClock clock;
        Recorder r(form, link, clock);
        r.startUp();  // the products of the width still fit a double
        QVERIFY(std::isfinite(r.GP_Point12));

        FakeForm infinite;
        infinite.width = std::numeric_limits<float>::infinity();
        Recorder broken(infinite, link, clock);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, broken.startUp());
    }
};

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
