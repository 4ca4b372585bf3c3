// The recorder core on its own, without widgets: the drawing logic of one channel, a whole tick,
// and the conversion of a reply to a reading and to the volts text.

#include "bench/tick/fakes.h"
#include "recorder/reading.h"
#include "recorder/recorder.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <cstdint>

namespace kelvra::bench {
namespace {

const QStringList kReplies{QStringLiteral("512"), QStringLiteral("498"), QStringLiteral("1023"), QStringLiteral("7")};

void BM_PlotChannel(benchmark::State& state)
{
    NullView view;
    SeismicLink link;
    TickClock clock;
    Recorder recorder(view, link, clock);
    recorder.startUp();
    std::int16_t index = 0;
    qsizetype reply = 0;
    for (auto _ : state) {
        recorder.plot_channel(index, kReplies[reply]);
        index = static_cast<std::int16_t>((index + 1) % kChannelCount);
        // Shifted once a cycle, so that every channel swings through all four replies.
        reply = (reply + 1 + (index == 0 ? 1 : 0)) % kReplies.size();
        recorder.GP1_count = recorder.GP1_count >= kSweepLimit ? 0.0 : recorder.GP1_count + 1.0;
    }
    benchmark::DoNotOptimize(view.checksum());
}
BENCHMARK(BM_PlotChannel);

// A whole tick without widgets: reading, link status, clock text, one channel, request.
void BM_Timer1TickNullView(benchmark::State& state)
{
    NullView view;
    SeismicLink link;
    TickClock clock;
    Recorder recorder(view, link, clock);
    recorder.startUp();
    for (auto _ : state)
        recorder.timer1Tick();
    benchmark::DoNotOptimize(view.checksum());
}
BENCHMARK(BM_Timer1TickNullView);

void BM_ParseReading(benchmark::State& state)
{
    const QString& text = kReplies[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(parseReading(text));
    state.SetLabel(text.toStdString());
}
BENCHMARK(BM_ParseReading)->DenseRange(0, 3);

void BM_VoltsText(benchmark::State& state)
{
    const double reading = *parseReading(kReplies[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(voltsText(reading));
    state.SetLabel(kReplies[state.range(0)].toStdString());
}
BENCHMARK(BM_VoltsText)->DenseRange(0, 3);

// Reply text to volts text, as plot_channel does it once per tick, over the four replies in turn.
void BM_ReplyConversion(benchmark::State& state)
{
    qsizetype reply = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(voltsText(parseReading(kReplies[reply]).value_or(0.0)));
        reply = (reply + 1) % kReplies.size();
    }
}
BENCHMARK(BM_ReplyConversion);

}  // namespace
}  // namespace kelvra::bench

BENCHMARK_MAIN();
