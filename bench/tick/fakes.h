#pragma once

#include "link/serial_link.h"
#include "recorder/clock.h"
#include "recorder/form_view.h"
#include "recorder/sample_sink.h"
#include "tools/board_sim/signal_model.h"

#include <QTime>

#include <cstdint>

namespace kelvra::bench {

// A board on an ideal line: each request is answered at once with the simulator's seismic signal,
// taken 20 ms later than the previous one, so the traces move as they do on a real station.
class SeismicLink final : public SerialLink {
public:
    explicit SeismicLink(std::uint64_t seed = 1) : signal_(seed) {}

    void setCommPort(int) override {}
    void setSettings(const QString&) override {}
    void setPortOpen(bool open) override { open_ = open; }
    bool portOpen() const override { return open_; }
    void setInputLen(int) override {}
    QString input() override;
    void output(const QString& text) override;
    QString deviceName() const override { return QStringLiteral("bench"); }
    // Of the signal: 20 ms more with each request.
    double seconds() const { return seconds_; }

private:
    boardsim::SeismicSignal signal_;
    double seconds_ = 0.0;
    QString pending_;
    bool open_ = false;
};

// The clocks of a station whose every request is a tick: both move on by 20 ms with each request
// the link has been given. The sweep-wrap pause costs no time, since a sleep is no work of the
// machine's.
class TickClock final : public Clock {
public:
    explicit TickClock(const SeismicLink& link) : link_(link) {}
    QTime timeOfDay() const override;
    std::int64_t utcNanoseconds() const override;
    void pause(int) override {}

private:
    const SeismicLink& link_;
};

// A window that keeps nothing but a checksum of what it is asked to do: the recorder's own
// share of a tick.
class NullView final : public FormView {
public:
    float chartWidth(int) const override { return 10835.0f; }
    float chartHeight(int) const override { return 1900.0f; }
    void setPenWidth(int, int pixels) override { checksum_ += pixels; }
    VerticalBand lineReach(int) const override { return {0.0, 1890.0}; }
    void drawLine(int chart, float x1, float y1, float x2, float y2, std::optional<Rgb> colour) override;
    void clearChart(int chart) override { checksum_ += chart; }
    void setLabelText(LabelId, const QString& text) override { checksum_ += text.size(); }
    void setLabelBackground(LabelId, Rgb colour) override { checksum_ += colour.g; }
    void setTimerInterval(TimerId, int) override {}
    void setTimerIdle(TimerId, bool) override {}
    void reportProblem(const QString&) override {}

    double checksum() const { return checksum_; }

private:
    double checksum_ = 0.0;
};

// An archive that only counts what it is handed.
class NullSink final : public SampleSink {
public:
    void record(int, std::int32_t counts, std::int64_t) override { handed += counts; }
    void gap(int, GapReason) override { ++handed; }
    std::int64_t handed = 0;
};

}  // namespace kelvra::bench
