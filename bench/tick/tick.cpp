// CPU and wall time of one Timer1 tick on the real window under the offscreen platform: the
// handler, its drawing into the charts' images, the labels, and the window's share of repainting.
// A tick is Timer1's timeout emitted by hand, so it takes the window's own path to the recorder.
//
//   kelvra-bench-tick [--ticks N] [--runs R] [--repaint-every K]
//
// The ticks run back to back, far faster than every 20 ms, so the window's repaint pacing cannot be
// left to the real clock: the window is asked to repaint every K-th tick instead, straight past
// the pacer, as the pacer does when its interval ends. K is first watched on the real clock, over
// a second of ticks 20 ms apart (or given).

#include "app/chart_surface.h"
#include "app/form1.h"
#include "app/recorder_timer.h"
#include "app/window_font.h"
#include "bench/tick/fakes.h"
#include "bench/tick/tick_stats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvra::bench {
namespace {

// One full sweep of the charts and the tick that wraps it.
constexpr int kDefaultTicks = 10802;
constexpr int kDefaultRuns = 5;
constexpr int kSettleMs = 300;
constexpr int kTickMs = 20;
constexpr int kWatchedTicks = 50;

struct Options {
    int ticks = kDefaultTicks;
    int runs = kDefaultRuns;
    int repaintEvery = 0;  // 0: as watched
};

struct RunResult {
    double cpuP50 = 0, cpuP99 = 0, wallP50 = 0, wallP99 = 0;
    int repaintEvery = 0;
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        int* target = nullptr;
        if (std::strcmp(argv[i], "--ticks") == 0)
            target = &options.ticks;
        else if (std::strcmp(argv[i], "--runs") == 0)
            target = &options.runs;
        else if (std::strcmp(argv[i], "--repaint-every") == 0)
            target = &options.repaintEvery;
        if (!target || !hasValue)
            throw std::invalid_argument(std::string("usage: ") + argv[0] +
                                        " [--ticks N] [--runs R] [--repaint-every K]");
        *target = std::stoi(argv[++i]);
        if (*target < 1)
            throw std::invalid_argument(std::string(argv[i - 1]) + " needs a positive number");
    }
    return options;
}

void settle(int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Ticks per repaint at the real pace: how many ticks 20 ms apart the window lets pass per repaint.
int watchRepaintCadence(Form1& form, const PaintCounter& counter)
{
    int repaints = 0;
    QElapsedTimer clock;
    clock.start();
    for (int n = 1; n <= kWatchedTicks; ++n) {
        const int before = counter.paints;
        form.Timer1->timeout();
        while (clock.elapsed() < n * kTickMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(n * kTickMs - clock.elapsed()));
        if (counter.paints > before)
            ++repaints;
    }
    if (repaints == 0)
        throw std::runtime_error("the window did not repaint while ticking");
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(kWatchedTicks) / repaints)));
}

// What the window does when a held-back repaint falls due.
void repaintNow(Form1& form)
{
    QEvent request(QEvent::UpdateRequest);
    static_cast<QObject&>(form).event(&request);
}

RunResult runOnce(const Options& options)
{
    SeismicLink link;
    TickClock clock(link);
    Form1 form(link, clock);
    if (!form.load())
        throw std::runtime_error("the window's start-up failed");
    // The loops below make the ticks; the timers themselves must not add any.
    form.Timer1->stop();
    form.Timer2->stop();
    form.show();
    settle(kSettleMs);

    PaintCounter counter;
    for (ChartSurface* chart : {form.GP1, form.GP2, form.GP3, form.GP4})
        chart->installEventFilter(&counter);
    const int repaintEvery = options.repaintEvery > 0 ? options.repaintEvery : watchRepaintCadence(form, counter);
    settle(kSettleMs);

    std::vector<double> cpu;
    std::vector<double> wall;
    cpu.reserve(static_cast<std::size_t>(options.ticks));
    wall.reserve(static_cast<std::size_t>(options.ticks));
    for (int n = 1; n <= options.ticks; ++n) {
        const std::int64_t cpu0 = threadCpuNanos();
        const std::int64_t wall0 = steadyNanos();
        form.Timer1->timeout();
        if (n % repaintEvery == 0)
            repaintNow(form);
        QCoreApplication::sendPostedEvents();
        const std::int64_t wall1 = steadyNanos();
        const std::int64_t cpu1 = threadCpuNanos();
        cpu.push_back(static_cast<double>(cpu1 - cpu0) / 1000.0);
        wall.push_back(static_cast<double>(wall1 - wall0) / 1000.0);
    }

    RunResult result;
    result.cpuP50 = quantile(cpu, 0.50);
    result.cpuP99 = quantile(cpu, 0.99);
    result.wallP50 = quantile(wall, 0.50);
    result.wallP99 = quantile(wall, 0.99);
    result.repaintEvery = repaintEvery;
    return result;
}

double medianOf(const std::vector<RunResult>& runs, double RunResult::*figure)
{
    std::vector<double> values;
    for (const RunResult& run : runs)
        values.push_back(run.*figure);
    return quantile(values, 0.5);
}

int run(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFontSubstitutions();

    std::vector<RunResult> runs;
    for (int r = 1; r <= options.runs; ++r) {
        runs.push_back(runOnce(options));
        const RunResult& last = runs.back();
        std::printf("run %d/%d, %d ticks, a repaint every %d: cpu p50 %.1f us p99 %.1f us; "
                    "wall p50 %.1f us p99 %.1f us\n",
                    r, options.runs, options.ticks, last.repaintEvery, last.cpuP50, last.cpuP99, last.wallP50,
                    last.wallP99);
        std::fflush(stdout);
    }
    std::printf("result tick_cpu_p50_us %.1f\n", medianOf(runs, &RunResult::cpuP50));
    std::printf("result tick_cpu_p99_us %.1f\n", medianOf(runs, &RunResult::cpuP99));
    std::printf("result tick_wall_p50_us %.1f\n", medianOf(runs, &RunResult::wallP50));
    std::printf("result tick_wall_p99_us %.1f\n", medianOf(runs, &RunResult::wallP99));
    std::printf("result ticks_per_repaint %d\n", runs.back().repaintEvery);
    return 0;
}

}  // namespace
}  // namespace kelvra::bench

int main(int argc, char** argv)
{
    try {
        return kelvra::bench::run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kelvra-bench-tick: %s\n", error.what());
        return 2;
    }
}
