#include "tools/helicorder/drum_trace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra::helicorder {
namespace {

// A line's deviation is taken from about this many of its samples, evenly spread: as good a
// measure of its background as all of them, in a fixed amount of memory whatever the span.
constexpr qint64 kDeviationSamplesPerLine = 2048;

double medianOf(std::vector<float>& values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double medianAbsoluteDeviation(std::vector<float>& values)
{
    const double median = medianOf(values);
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
      sum_(std::size_t(lines_), 0.0),
      count_(std::size_t(lines_), 0),
      deviationSamples_(std::size_t(lines_)),
      mean_(std::size_t(lines_), 0.0)
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
    const qint64 stride = std::max<qint64>(1, perLine / kDeviationSamplesPerLine);
    for (int i = 0; i < count; ++i) {
        const Cell cell = cellAt(startMicros + std::llround(i * periodMicros));
        if (cell.line < 0 || !std::isfinite(values[i]))
            continue;
        const double v = values[i];
        const std::size_t at = index(cell.line, cell.column);
        low_[at] = std::min(low_[at], v);
        high_[at] = std::max(high_[at], v);
        const auto line = std::size_t(cell.line);
        sum_[line] += v;
        if (count_[line]++ % stride == 0)
            deviationSamples_[line].push_back(float(v));
        ++sampleCount_;
    }
}

void DrumTrace::finish()
{
    std::vector<float> deviations;
    for (std::size_t line = 0; line < deviationSamples_.size(); ++line) {
        std::vector<float>& samples = deviationSamples_[line];
        if (samples.empty())
            continue;
        mean_[line] = sum_[line] / double(count_[line]);
        deviations.push_back(float(medianAbsoluteDeviation(samples)));
        std::vector<float>().swap(samples);
    }
    background_ = deviations.empty() ? 0.0 : medianOf(deviations);
}

}  // namespace kelvra::helicorder
