// The recorder core on its own, without widgets: the drawing logic of one channel, a whole tick,
// the conversion of a reply to a reading and to the volts text, and the archive's writer.

#include "archive/archive_writer.h"
#include "bench/tick/fakes.h"
#include "recorder/reading.h"
#include "recorder/recorder.h"

#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

namespace kelvra::bench {
namespace {

const QStringList kReplies{QStringLiteral("512"), QStringLiteral("498"), QStringLiteral("1023"), QStringLiteral("7")};

void BM_PlotChannel(benchmark::State& state)
{
    NullView view;
    SeismicLink link;
    TickClock clock(link);
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
    TickClock clock(link);
    Recorder recorder(view, link, clock);
    recorder.startUp();
    for (auto _ : state)
        recorder.timer1Tick();
    benchmark::DoNotOptimize(view.checksum());
}
BENCHMARK(BM_Timer1TickNullView);

// The same tick handing its reply to the archive's assembly (into a sink that keeps nothing): the
// difference to the tick above is what attributing replies costs.
void BM_Timer1TickWithAssembly(benchmark::State& state)
{
    NullView view;
    SeismicLink link;
    TickClock clock(link);
    NullSink sink;
    Recorder recorder(view, link, clock);
    recorder.setSampleSink(&sink);
    recorder.startUp();
    for (auto _ : state)
        recorder.timer1Tick();
    benchmark::DoNotOptimize(view.checksum());
    benchmark::DoNotOptimize(sink.handed);
}
BENCHMARK(BM_Timer1TickWithAssembly);

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

// One minute of the simulator's default signal on all four channels through the archive's writer,
// handed over once a second as the recorder's sink does, partial records flushed and synced to
// disk every 9 s: its CPU time per minute of data.
void BM_ArchiveMinute(benchmark::State& state)
{
    QTemporaryDir dir;
    archive::ArchiveWriter writer(dir.path(), archive::StationCodes(), std::nullopt, {});
    boardsim::SeismicSignal signal(1);
    constexpr std::int64_t kStartNs = 1'760'000'000'000'000'000;
    constexpr std::int64_t kPeriodNs = 80'000'000;
    std::int64_t second = 0;
    std::vector<archive::Sample> batch;
    for (auto _ : state) {
        for (int s = 0; s < 60; ++s, ++second) {
            batch.clear();
            for (std::int64_t n = second * 25 / 2; n < (second + 1) * 25 / 2; ++n)
                for (int channel = 0; channel < kChannelCount; ++channel)
                    batch.push_back({channel, static_cast<std::int32_t>(signal.reading(channel, n * 0.08)),
                                     kStartNs + n * kPeriodNs});
            writer.take(batch, second * 1000);
        }
    }
    writer.finish();
}
BENCHMARK(BM_ArchiveMinute)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kelvra::bench

BENCHMARK_MAIN();
