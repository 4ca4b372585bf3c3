#include "fakes.h"
#include "recorder/recorder.h"

#include <QTest>
#include <cmath>

using namespace kelvra;
using namespace kelvra::test;

namespace {

// Where the trace of a reading lands: the 1024 codes share the band the trace pen reaches on
// the chart (FakeForm's, as on the real one) evenly, each in the middle of its share.
float shown(double reading) { return float(1890.0 * (1023.5 - reading) / 1024.0); }

}  // namespace

class TstPlotChannel : public QObject {
    Q_OBJECT
private slots:
    void scalesReadingsAsTheBoardMeansThem()
    {
        StartedRecorder rig;
        rig.r.plot_channel(0, "512");
        QCOMPARE(rig.r.ch1_dat, 512.0);
        QCOMPARE(rig.r.Per_ch1S, 1900.0 - double(1.8572825f) * 512.0);
        QCOMPARE(rig.trace().y2, shown(512));
        QCOMPARE(rig.form.labelText[LabelId::Label1], QStringLiteral("CH-1 : 2.50"));

        rig.r.plot_channel(0, "1000");
        QCOMPARE(rig.r.Per_ch1S, 1900.0 - double(1.8572825f) * 1000.0);
        QCOMPARE(rig.trace().y2, shown(1000));
        QCOMPARE(rig.trace().y1, shown(512));
        QCOMPARE(rig.form.labelText[LabelId::Label1], QStringLiteral("CH-1 : 4.89"));

        rig.r.plot_channel(0, "1023");
        QVERIFY(std::fabs(rig.r.Per_ch1S) < 1e-4);
        QCOMPARE(rig.form.labelText[LabelId::Label1], QStringLiteral("CH-1 : 5.00"));

        rig.r.plot_channel(0, "2046");
        QVERIFY(std::fabs(rig.r.Per_ch1S + 1900.0) < 0.1);
        QCOMPARE(rig.form.labelText[LabelId::Label1], QStringLiteral("CH-1 : 10.00"));

        rig.r.plot_channel(0, "-10");
        QCOMPARE(rig.form.labelText[LabelId::Label1], QStringLiteral("CH-1 : -0.05"));
    }

    void drawsGridSweepLinesAndTraceInOrder()
    {
        StartedRecorder rig;
        rig.r.GP1_count = 100;
        rig.r.GP1S_count = 96;
        rig.r.Per_ch3S = 1900.0 - double(1.8572825f) * 100.0;
        rig.r.plot_channel(2, "512");

        const auto& lines = rig.form.lines;
        QCOMPARE(lines.size(), std::size_t(12 + 4 + 3));
        for (const Line& line : lines)
            QCOMPARE(line.chart, 2);
        const Recorder& r = rig.r;
        const double points[] = {r.GP_Point1, r.GP_Point2, r.GP_Point3, r.GP_Point4,  r.GP_Point5,  r.GP_Point6,
                                 r.GP_Point7, r.GP_Point8, r.GP_Point9, r.GP_Point10, r.GP_Point11, r.GP_Point12};
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(lines[i].x1, float(points[i]));
            QCOMPARE(lines[i].x2, float(points[i]));
            QCOMPARE(lines[i].y1, 0.0f);
            QCOMPARE(lines[i].y2, 1900.0f);
            QVERIFY(!lines[i].colour);
        }
        QCOMPARE(lines[6].x1, float(6320.416666666666));
        QCOMPARE(lines[11].x1, 10835.0f);
        for (int j = 0; j < 4; ++j) {
            QCOMPARE(lines[12 + j].x1, 0.0f);
            QCOMPARE(lines[12 + j].x2, 10835.0f);
            QCOMPARE(lines[12 + j].y1, float(380 * (j + 1)));
            QVERIFY(!lines[12 + j].colour);
        }
        const Line& marker = lines[16];
        QCOMPARE(marker.x1, 115.0f);
        QCOMPARE(marker.x2, 115.0f);
        QCOMPARE(marker.y2, 1900.0f);
        QCOMPARE(*marker.colour, kBlack);
        const Line& erase = lines[17];
        QCOMPARE(erase.x1, 100.0f);
        QCOMPARE(*erase.colour, kWhite);
        const Line& trace = lines[18];
        QCOMPARE(trace.x1, 96.0f);
        QCOMPARE(trace.y1, shown(100));
        QCOMPARE(trace.x2, 100.0f);
        QCOMPARE(trace.y2, shown(512));
        QCOMPARE(*trace.colour, palette::kBlue);

        const std::vector<QString> pens{rig.form.calls.front(), rig.form.calls[19]};
        QCOMPARE(pens[0], QStringLiteral("pen GP3 1"));
        QCOMPARE(pens[1], QStringLiteral("pen GP3 2"));
        QCOMPARE(rig.form.calls.back(), QStringLiteral("text CH-3 : 2.50"));
        QCOMPARE(rig.form.penWidth[2], 2);
    }

    void eachChannelHasItsChartColourAndLabel()
    {
        const Rgb colours[] = {palette::kRed, palette::kGreen, palette::kBlue, palette::kPurple};
        const LabelId labels[] = {LabelId::Label1, LabelId::Label2, LabelId::Label3, LabelId::Label4};
        for (std::int16_t index = 0; index < 4; ++index) {
            StartedRecorder rig;
            rig.r.plot_channel(index, "512");
            QCOMPARE(rig.trace().chart, int(index));
            QCOMPARE(*rig.trace().colour, colours[index]);
            QCOMPARE(rig.form.labelText[labels[index]], QStringLiteral("CH-%1 : 2.50").arg(index + 1));
        }
    }

    void onlyChannelFourMovesTheSegmentStart()
    {
        StartedRecorder rig;
        rig.r.GP1_count = 40;
        rig.r.GP1S_count = 36;
        for (std::int16_t index = 0; index < 3; ++index) {
            rig.r.plot_channel(index, "1");
            QCOMPARE(rig.r.GP1S_count, 36.0);
        }
        rig.r.plot_channel(3, "1");
        QCOMPARE(rig.r.GP1S_count, 40.0);
    }

    void firstSegmentsRiseFromTheBottomLeft()
    {
        StartedRecorder rig;
        rig.r.plot_channel(0, "512");
        QCOMPARE(rig.trace().x1, 0.0f);
        QCOMPARE(rig.trace().y1, shown(0));
        QCOMPARE(rig.trace().x2, 0.0f);
    }

    void anIndexOutsideTheChannelsDoesNothing()
    {
        StartedRecorder rig;
        rig.r.plot_channel(4, "512");
        rig.r.plot_channel(-1, "512");
        QVERIFY(rig.form.calls.empty());
        QCOMPARE(rig.r.ch1_dat + rig.r.ch4_dat, 0.0);
    }

    void aReplyThatIsNotANumberRepeatsTheLastReading()
    {
        StartedRecorder rig;
        rig.r.plot_channel(1, "600");
        const double level = rig.r.Per_ch2S;
        rig.form.forget();
        rig.r.plot_channel(1, "6#0");
        QCOMPARE(rig.r.ch2_dat, 600.0);
        QCOMPARE(rig.form.lines.size(), std::size_t(19));
        QCOMPARE(rig.r.Per_ch2S, level);
        QCOMPARE(rig.trace().y1, shown(600));
        QCOMPARE(rig.trace().y2, shown(600));
        QCOMPARE(rig.form.labelText[LabelId::Label2], QStringLiteral("CH-2 : 2.93"));
    }

    void hugeReadingsStayFiniteAndShort()
    {
        StartedRecorder rig;
        for (const char* text : {"1e300", "-1e300", "1.7e308", "-1.7e308", "3e38", "1e300"}) {
            rig.form.forget();
            rig.r.GP1_count = 1e300;  // not reachable by the sweep, but the drawing must not care
            rig.r.plot_channel(0, text);
            QVERIFY(std::isfinite(rig.r.Per_ch1S));
            for (const Line& line : rig.form.lines)
                for (float v : {line.x1, line.y1, line.x2, line.y2})
                    QVERIFY2(std::isfinite(v) && std::fabs(v) <= 1.0e6f, text);
            QVERIFY(rig.form.labelText[LabelId::Label1].size() <= QStringLiteral("CH-1 : <-9999.99").size());
        }
    }
};

QTEST_GUILESS_MAIN(TstPlotChannel)
#include "tst_plot_channel.moc"
