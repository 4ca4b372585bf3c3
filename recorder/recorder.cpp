#include "recorder/recorder.h"

#include "recorder/reading.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kelvra {
namespace {

struct Channel {
    double Recorder::*reading;
    double Recorder::*previousY;
    Rgb colour;
    LabelId label;
    const char* prefix;
};

const std::array<Channel, kChannelCount> kChannels{{
    {&Recorder::ch1_dat, &Recorder::Per_ch1S, palette::kRed, LabelId::Label1, "CH-1"},
    {&Recorder::ch2_dat, &Recorder::Per_ch2S, palette::kGreen, LabelId::Label2, "CH-2"},
    {&Recorder::ch3_dat, &Recorder::Per_ch3S, palette::kBlue, LabelId::Label3, "CH-3"},
    {&Recorder::ch4_dat, &Recorder::Per_ch4S, palette::kPurple, LabelId::Label4, "CH-4"},
}};

constexpr std::array<double Recorder::*, kGridDivisions> kGridPoints{
    &Recorder::GP_Point1, &Recorder::GP_Point2, &Recorder::GP_Point3, &Recorder::GP_Point4,
    &Recorder::GP_Point5, &Recorder::GP_Point6, &Recorder::GP_Point7, &Recorder::GP_Point8,
    &Recorder::GP_Point9, &Recorder::GP_Point10, &Recorder::GP_Point11, &Recorder::GP_Point12,
};

constexpr std::array<double Recorder::*, kGridBands - 1> kGridHeights{
    &Recorder::GP_Height1, &Recorder::GP_Height2, &Recorder::GP_Height3, &Recorder::GP_Height4,
};

// Far outside any chart, yet small enough that the painter's arithmetic cannot overflow.
constexpr double kDrawingLimit = 1.0e6;

// Often enough that a short glitch costs seconds, seldom enough that a device still away costs nothing.
constexpr std::int64_t kReopenEveryNs = 2'000'000'000;

float toDrawing(double twips) { return static_cast<float>(std::clamp(twips, -kDrawingLimit, kDrawingLimit)); }

// Where a trace point at level y shows. The scale itself puts full scale a hair above the outer
// top edge and zero on the outer bottom edge, both beyond the drawing area, so on screen each of
// the 1024 codes takes an equal share of the band the trace pen reaches, in the middle of its
// share: 1023 lands on the top row, 0 on the bottom row, and a reading past either end still
// falls outside.
double shownLevel(double y, float height, float k, VerticalBand reach)
{
    const double clamped = std::clamp(y, -kDrawingLimit, kDrawingLimit);
    const double codes = (static_cast<double>(height) - clamped) / static_cast<double>(k);
    const double share = (kFullScaleCount + 0.5 - codes) / (kFullScaleCount + 1.0);
    return reach.top + (reach.bottom - reach.top) * share;
}

QString clockText(const QTime& time)
{
    return QString::number(time.hour()) + u'時' + QString::number(time.minute()) + u'分' +
           QString::number(time.second()) + u'秒';
}

double checked(double value)
{
    if (!std::isfinite(value))
        throw std::overflow_error(QCoreApplication::translate("kelvra::Recorder",
                                                              "Floating-point overflow or invalid operation while "
                                                              "computing the chart grid")
                                      .toStdString());
    return value;
}

}  // namespace

Recorder::Recorder(FormView& form, SerialLink& port, Clock& clock) : form_(form), port_(port), clock_(clock)
{
    for (std::vector<QString>& texts : valueTexts_)
        texts.resize(kBoardFullScale + 1);
}

void Recorder::setSampleSink(SampleSink* sink)
{
    assembly_.reset();
    if (sink)
        assembly_.emplace(*sink);
}

void Recorder::startUp()
{
    ch1_dat = ch2_dat = ch3_dat = ch4_dat = 0.0;
    GP1S_count = 0.0;
    GP1_count = 0.0;
    ch_index = 0;

    applySweepMode(0);

    for (const Channel& channel : kChannels)
        this->*channel.previousY = static_cast<double>(form_.chartHeight(0));

    port_.setCommPort(kCommPort);
    port_.setSettings(kLineSettings);
    port_.setPortOpen(true);
    port_.setInputLen(kInputLen);

    form_.setTimerInterval(TimerId::Timer1, kTimer1IntervalMs);

    writeRequest();

    div_ratio = checked(1.0 / 12.0);
    for (std::size_t k = 0; k < kGridPoints.size(); ++k) {
        const double width = form_.chartWidth(0);
        this->*kGridPoints[k] = checked(checked(width * div_ratio) * static_cast<double>(k + 1));
    }
    for (std::size_t k = 0; k < kGridHeights.size(); ++k) {
        const double height = form_.chartHeight(0);
        this->*kGridHeights[k] = checked(checked(height * static_cast<double>(k + 1)) / kGridBands);
    }
}

void Recorder::timer1Tick()
{
    rx_text = readReply();
    keepSample(rx_text);

    replied_ = !rx_text.isEmpty();
    if (rx_text.isEmpty()) {
        form_.setLabelBackground(LabelId::Label5, kStatusNoReplyColour);
        form_.setLabelText(LabelId::Label5, kStatusNoReply);
        rx_text = kNoReplyText;
    } else {
        form_.setLabelBackground(LabelId::Label5, kStatusReceivingColour);
        form_.setLabelText(LabelId::Label5, kStatusReceiving);
    }

    showTimeOfDay();

    plot_channel(ch_index, rx_text);

    ++ch_index;
    bool tolerant = false;
    if (ch_index == kChannelCount) {
        ch_index = 0;
        tolerant = true;
    }

    if (GP1_count > kSweepLimit)
        restartSweep(tolerant);

    if (timed_mode == 0)
        GP1_count += kFreeRunningStep;

    sendRequest(tolerant);
}

void Recorder::plot_channel(std::int16_t index, const QString& reply_text)
{
    if (index < 0 || index >= kChannelCount)
        return;
    const Channel& channel = kChannels[static_cast<std::size_t>(index)];
    const int chart = index;

    // A reply that is not a number repeats the channel's last reading.
    double& reading = this->*channel.reading;
    reading = parseReading(reply_text).value_or(reading);

    const float height = form_.chartHeight(chart);
    const float width = form_.chartWidth(chart);
    const float k = static_cast<float>(static_cast<double>(height) / kFullScaleCount);

    form_.setPenWidth(chart, kGridPenWidth);
    for (double Recorder::*point : kGridPoints)
        form_.drawLine(chart, toDrawing(this->*point), 0.0f, toDrawing(this->*point), height);
    for (double Recorder::*level : kGridHeights)
        form_.drawLine(chart, 0.0f, toDrawing(this->*level), width, toDrawing(this->*level));

    double y = static_cast<double>(height) - static_cast<double>(k) * reading;
    if (!std::isfinite(y))
        y = std::copysign(std::numeric_limits<double>::max(), y);

    form_.drawLine(chart, toDrawing(GP1_count + kMarkerOffset), 0.0f, toDrawing(GP1_count + kMarkerOffset), height,
                   kBlack);
    form_.drawLine(chart, toDrawing(GP1_count), 0.0f, toDrawing(GP1_count), height, kWhite);

    form_.setPenWidth(chart, kTracePenWidth);
    const VerticalBand reach = form_.lineReach(chart);
    double& previousY = this->*channel.previousY;
    form_.drawLine(chart, toDrawing(GP1S_count), toDrawing(shownLevel(previousY, height, k, reach)),
                   toDrawing(GP1_count), toDrawing(shownLevel(y, height, k, reach)), channel.colour);
    previousY = y;

    if (index == kChannelCount - 1)
        GP1S_count = GP1_count;

    form_.setLabelText(channel.label, valueText(index, reading));
}

const QString& Recorder::valueText(std::int16_t index, double reading)
{
    // The board's readings are whole counts 0..1023: each channel's texts are made once.
    std::vector<QString>& known = valueTexts_[static_cast<std::size_t>(index)];
    const bool boardCounts = reading >= 0.0 && reading <= kBoardFullScale && reading == std::floor(reading);
    QString& text = boardCounts ? known[static_cast<std::size_t>(reading)] : otherValueText_;
    if (!boardCounts || text.isNull())
        text = QLatin1String(kChannels[static_cast<std::size_t>(index)].prefix) + QLatin1String(" : ") +
               voltsText(reading);
    return text;
}

void Recorder::showTimeOfDay()
{
    // The clock shows whole seconds, and local time turns to its next second with UTC: the time
    // of day is read and its text made once a second, not on every tick.
    constexpr std::int64_t kNsPerSecond = 1'000'000'000;
    const std::int64_t utcNs = clock_.utcNanoseconds();
    const std::int64_t second = utcNs / kNsPerSecond - (utcNs % kNsPerSecond < 0 ? 1 : 0);
    if (second == shownUtcSecond_)
        return;
    shownUtcSecond_ = second;
    form_.setLabelText(LabelId::Label6, clockText(clock_.timeOfDay()));
}

void Recorder::timer2Tick()
{
    if (timed_mode == 1)
        GP1_count += kTimedStep;
}

void Recorder::command3Click() { restartSweep(false); }
void Recorder::command4Click() { applySweepMode(0); }
void Recorder::command5Click() { applySweepMode(1); }
void Recorder::command6Click() { applySweepMode(2); }
void Recorder::command7Click() { applySweepMode(3); }

void Recorder::applySweepMode(std::size_t mode)
{
    const SweepMode& row = kSweepModes[mode];
    form_.setTimerInterval(TimerId::Timer2, row.timer2IntervalMs);
    form_.setLabelText(LabelId::Label30, QString::fromUtf8(row.caption));
    timed_mode = row.timedMode;
    form_.setTimerIdle(TimerId::Timer2, timed_mode == 0);
}

void Recorder::restartSweep(bool tolerant)
{
    GP1_count = 0.0;
    GP1S_count = GP1_count;
    clock_.pause(kWrapPauseMs);
    for (int chart = 0; chart < kChannelCount; ++chart) {
        try {
            form_.clearChart(chart);
        } catch (const std::exception&) {
            if (!tolerant)
                throw;
        }
    }
}

QString Recorder::readReply()
{
    if (lineAway_)
        return QString();
    try {
        return port_.input();
    } catch (const LinkError& error) {
        // A dead line must not end the program and take the charts with it: carry on as if
        // nothing had arrived.
        reportLinkFailure(error);
        return QString();
    }
}

void Recorder::sendRequest(bool tolerant)
{
    // On its return the line is asked for the channel the next tick reads, so that reply keeps
    // its request and the request's time is this write's.
    if (lineAway_ && !lineBack())
        return;
    try {
        writeRequest();
    } catch (const LinkError& error) {
        if (!tolerant)
            reportLinkFailure(error);
    }
}

void Recorder::writeRequest()
{
    if (assembly_)
        requestUtcNs_ = clock_.utcNanoseconds();
    port_.output(requestFor(ch_index));
}

void Recorder::keepSample(const QString& reply)
{
    const qsizetype earlier = std::min(port_.inputBeforeReply(), reply.size());
    if (lateReplies_.note(earlier > 0))
        reportLateReplies();
    if (assembly_)
        assembly_->take(ch_index, requestUtcNs_, reply, earlier);
}

void Recorder::reportLateReplies()
{
    QString text = QCoreApplication::translate(
        "kelvra::Recorder",
        "Replies from the board keep arriving after the tick that should read them (more than one in twenty "
        "over the last minute), so the charts show them on the next channel. The usual cause is a USB serial "
        "adapter's latency timer: \"USB serial adapters\" in the README tells how to set it to 1 ms.");
    if (assembly_)
        text += u' ' + QCoreApplication::translate("kelvra::Recorder",
                                                   "The archive still keeps every reply it can give to its request.");
    form_.reportProblem(text);
}

void Recorder::reportLinkFailure(const LinkError& error)
{
    if (lineAway_)
        return;
    lineAway_ = true;
    reopenTriedUtcNs_ = clock_.utcNanoseconds();
    form_.reportProblem(QCoreApplication::translate("kelvra::Recorder",
                                                    "The serial line %1 failed: %2\nRecording goes on without data, "
                                                    "and the device is tried again every 2 seconds.")
                            .arg(error.device(), error.description()));
}

bool Recorder::lineBack()
{
    // A clock set back counts as time gone by, so a step never holds the tries off.
    const std::int64_t now = clock_.utcNanoseconds();
    if (now >= reopenTriedUtcNs_ && now - reopenTriedUtcNs_ < kReopenEveryNs)
        return false;
    reopenTriedUtcNs_ = now;
    if (!port_.reopen())
        return false;
    lineAway_ = false;
    if (assembly_)
        assembly_->lineOpened();
    form_.reportProblem(QCoreApplication::translate("kelvra::Recorder",
                                                    "The serial line %1 is back. Recording goes on with data.")
                            .arg(port_.deviceName()));
    return true;
}

}  // namespace kelvra
