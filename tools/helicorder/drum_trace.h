#pragma once

#include "tools/helicorder/drum_span.h"

#include <optional>
#include <vector>

namespace kelvra::helicorder {

// A span's samples folded onto its lines: for each line and pixel column the lowest and highest
// count and whether the trace runs on into it from the previous column with data, for each line
// its median and its median absolute deviation. Memory grows with the number of lines, not with
// the number of samples.
class DrumTrace {
public:
    struct Cell {
        int line;
        int column;
    };

    DrumTrace(const DrumSpan& span, int columns);

    // Evenly spaced samples from `startMicros` on; those outside the span are left out. Runs come
    // in time order, as the archive writes them: a run that starts within 1.5 periods of the last
    // sample before it continues that sample's trace.
    void addRun(qint64 startMicros, double periodMicros, const double* values, int count);
    // Once every run is in: works out each line's statistics and lets its samples go.
    void finish();

    int lines() const { return lines_; }
    int columns() const { return columns_; }
    // The column a moment falls in; line -1 outside the span.
    Cell cellAt(qint64 micros) const;
    bool hasData(int line, int column) const { return low(line, column) <= high(line, column); }
    double low(int line, int column) const { return low_[index(line, column)]; }
    double high(int line, int column) const { return high_[index(line, column)]; }
    // False where the first sample in the cell comes more than 1.5 sample periods after the last
    // one before it: a gap in the data, not merely columns between slow samples. The previous
    // sample may be at the end of the line before.
    bool continuesPrevious(int line, int column) const { return continues_[index(line, column)]; }
    // The line's median: one wild sample cannot shift it, as it would a mean.
    double lineBaseline(int line) const { return baseline_[std::size_t(line)]; }
    // The median over the lines with data of their median absolute deviations: the background
    // level, which events on a few lines do not move.
    double backgroundDeviation() const { return background_; }
    qint64 sampleCount() const { return sampleCount_; }

private:
    std::size_t index(int line, int column) const { return std::size_t(line) * std::size_t(columns_) + std::size_t(column); }

    qint64 startMicros_;
    qint64 endMicros_;
    qint64 lineMicros_;
    int lines_;
    int columns_;
    std::vector<double> low_;
    std::vector<double> high_;
    std::vector<bool> continues_;
    std::optional<qint64> lastSampleMicros_;
    std::vector<qint64> count_;
    // Per line, a bounded subsample evenly spread over it, for its median and deviation.
    std::vector<std::vector<float>> keptSamples_;
    std::vector<double> baseline_;
    double background_ = 0.0;
    qint64 sampleCount_ = 0;
};

}  // namespace kelvra::helicorder
