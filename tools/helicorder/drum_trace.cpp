#include "tools/helicorder/drum_trace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra::helicorder {
namespace {

// A line's median and deviation are taken from about this many of its samples, evenly spread: as
// good a measure of its level and background as all of them, in a fixed amount of memory whatever
// the span.
constexpr qint64 kKeptSamplesPerLine = 2048;

// Consecutive samples further apart than this many periods have a gap between them.
constexpr double kGapPeriods = 1.5;

double medianOf(std::vector<float>& values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double medianAbsoluteDeviation(std::vector<float>& values, double median)
{
    for (float& v : values)
        v = float(std::abs(v - median));
    return medianOf(values);
}

}  // namespace

DrumTrace::DrumTrace(const DrumSpan& span, int columns)
    : startMicros_(span.startMicros()),
      endMicros_(span.endMicros()),
      lineMicros_(span.lineMicros()),
      lines_(span.lineCount()),
      columns_(columns),
      low_(std::size_t(lines_) * std::size_t(columns), std::numeric_limits<double>::infinity()),
      high_(std::size_t(lines_) * std::size_t(columns), -std::numeric_limits<double>::infinity()),
      continues_(std::size_t(lines_) * std::size_t(columns), false),
      count_(std::size_t(lines_), 0),
      keptSamples_(std::size_t(lines_)),
      baseline_(std::size_t(lines_), 0.0)
{
}

DrumTrace::Cell DrumTrace::cellAt(qint64 micros) const
{
    if (micros < startMicros_ || micros >= endMicros_)
        return {-1, 0};
    const qint64 sinceStart = micros - startMicros_;
    const qint64 intoLine = sinceStart % lineMicros_;
    return {int(sinceStart / lineMicros_), int(intoLine * columns_ / lineMicros_)};
}

void DrumTrace::addRun(qint64 startMicros, double periodMicros, const double* values, int count)
{
    const auto perLine = qint64(double(lineMicros_) / periodMicros);
    const qint64 stride = std::max<qint64>(1, perLine / kKeptSamplesPerLine);
    const double gapMicros = kGapPeriods * periodMicros;
    for (int i = 0; i < count; ++i) {
        const qint64 micros = startMicros + std::llround(i * periodMicros);
        const Cell cell = cellAt(micros);
        if (cell.line < 0 || !std::isfinite(values[i]))
            continue;
        const double v = values[i];
        const std::size_t at = index(cell.line, cell.column);
        // A cell's first sample decides whether its trace is joined to the one before.
        if (!hasData(cell.line, cell.column))
            continues_[at] = lastSampleMicros_ && micros > *lastSampleMicros_
                             && double(micros - *lastSampleMicros_) <= gapMicros;
        lastSampleMicros_ = micros;
        low_[at] = std::min(low_[at], v);
        high_[at] = std::max(high_[at], v);
        const auto line = std::size_t(cell.line);
        if (count_[line]++ % stride == 0)
            keptSamples_[line].push_back(float(v));
        ++sampleCount_;
    }
}

void DrumTrace::finish()
{
    std::vector<float> deviations;
    for (std::size_t line = 0; line < keptSamples_.size(); ++line) {
        std::vector<float>& samples = keptSamples_[line];
        if (samples.empty())
            continue;
        baseline_[line] = medianOf(samples);
        deviations.push_back(float(medianAbsoluteDeviation(samples, baseline_[line])));
        std::vector<float>().swap(samples);
    }
    background_ = deviations.empty() ? 0.0 : medianOf(deviations);
}

}  // namespace kelvra::helicorder
