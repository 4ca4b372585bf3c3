#pragma once

#include "tools/helicorder/drum_span.h"

#include <vector>

namespace kelvra::helicorder {

// A span's samples folded onto its lines: for each line and pixel column the lowest and highest
// count (a column no sample fell in is a gap), for each line its mean and its median absolute
// deviation. Memory grows with the number of lines, not with the number of samples.
class DrumTrace {
public:
    struct Cell {
        int line;
        int column;
    };

    DrumTrace(const DrumSpan& span, int columns);

    // Evenly spaced samples from `startMicros` on; those outside the span are left out.
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
    double lineMean(int line) const { return mean_[std::size_t(line)]; }
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
    std::vector<double> sum_;
    std::vector<qint64> count_;
    std::vector<std::vector<float>> deviationSamples_;
    std::vector<double> mean_;
    double background_ = 0.0;
    qint64 sampleCount_ = 0;
};

}  // namespace kelvra::helicorder
