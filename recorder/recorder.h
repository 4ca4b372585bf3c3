#pragma once

#include "recorder/clock.h"
#include "recorder/form_view.h"
#include "recorder/late_reply_watch.h"
#include "recorder/reply_assembly.h"
#include "recorder/sample_sink.h"
#include "link/serial_link.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvra {

// The recorder's state and its event handlers: start-up, the Timer1 acquisition tick, the drawing
// of one channel, the Timer2 sweep tick and the sweep buttons. It reaches the window and the
// serial line only through FormView and SerialLink.
//
// Handlers throw on an error they do not handle themselves (a failing clear outside the tolerant
// part of a tick, a floating-point fault at start-up, a port that cannot be opened); the window
// reports it and ends the program.
class Recorder {
public:
    Recorder(FormView& form, SerialLink& port, Clock& clock);

    // Where readings are kept beyond the chart; none by default. Set before startUp.
    void setSampleSink(SampleSink* sink);

    void startUp();
    void timer1Tick();
    void timer2Tick();
    void plot_channel(std::int16_t index, const QString& reply_text);
    void command3Click();  // Restart
    void command4Click();  // Free
    void command5Click();  // １分
    void command6Click();  // ５分
    void command7Click();  // 20分

    // Recorder state, in this order, read and written by the handlers above.
    double GP1S_count = 0.0;
    double GP1_count = 0.0;
    double GP_Point1 = 0.0, GP_Point2 = 0.0, GP_Point3 = 0.0, GP_Point4 = 0.0;
    double GP_Point5 = 0.0, GP_Point6 = 0.0, GP_Point7 = 0.0, GP_Point8 = 0.0;
    double GP_Point9 = 0.0, GP_Point10 = 0.0, GP_Point11 = 0.0, GP_Point12 = 0.0;
    double GP_Height1 = 0.0, GP_Height2 = 0.0, GP_Height3 = 0.0, GP_Height4 = 0.0;
    double Per_ch1S = 0.0, Per_ch2S = 0.0, Per_ch3S = 0.0, Per_ch4S = 0.0;
    double ch1_dat = 0.0, ch2_dat = 0.0, ch3_dat = 0.0, ch4_dat = 0.0;

    double divRatio() const { return div_ratio; }
    const QString& rxText() const { return rx_text; }
    // Whether the last tick read anything, whatever the status label shows.
    bool replied() const { return replied_; }
    std::int16_t channelIndex() const { return ch_index; }
    std::int16_t timedMode() const { return timed_mode; }

private:
    void applySweepMode(std::size_t mode);
    void restartSweep(bool tolerant);
    void showTimeOfDay();
    const QString& valueText(std::int16_t index, double reading);
    QString readReply();
    void sendRequest(bool tolerant);
    void writeRequest();
    void keepSample(const QString& reply);
    void reportLateReplies();
    void reportLinkFailure(const LinkError& error);
    bool lineBack();

    double div_ratio = 0.0;
    QString rx_text;
    std::int16_t ch_index = 0;
    std::int16_t timed_mode = 0;

    FormView& form_;
    SerialLink& port_;
    Clock& clock_;
    bool replied_ = false;
    // From the report of a failure until the device opens again.
    bool lineAway_ = false;
    std::int64_t reopenTriedUtcNs_ = 0;
    std::optional<ReplyAssembly> assembly_;
    LateReplyWatch lateReplies_;
    std::int64_t requestUtcNs_ = 0;  // when the outstanding request was written
    std::optional<std::int64_t> shownUtcSecond_;  // when the clock label was last written
    // Each channel's value texts by board reading, made when first shown; other values' last text.
    std::array<std::vector<QString>, kChannelCount> valueTexts_;
    QString otherValueText_;
};

}  // namespace kelvra
