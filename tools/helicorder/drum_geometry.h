#pragma once

#include <QRectF>
#include <QSize>

namespace kelvra::helicorder {

// One pixel column of the page per folded column of the trace.
constexpr int kPlotColumns = 1600;
constexpr double kLabelMargin = 120.0;
constexpr double kRightMargin = 40.0;
constexpr double kTitleHeight = 84.0;
constexpr double kBottomMargin = 36.0;
// The lines share this height unless that would put them closer than the least spacing; a day
// of 15-minute lines (up to 100 with a change of clocks) leaves room for every line's label.
constexpr double kTracesHeight = 1250.0;
constexpr double kLeastSpacing = 8.0;
// A trace is clipped this many line spacings from its own line, so a large event stays in its band.
constexpr double kClipSpacings = 1.0;
// The auto scale puts this many background deviations into one line spacing, so the background
// shows as a band about a quarter of a spacing wide.
constexpr double kAutoScaleDeviations = 40.0;

// Counts per line spacing chosen from the background when the user gave none.
double autoScale(double backgroundDeviation);

// Where things go on the page.
class DrumGeometry {
public:
    DrumGeometry(int lines, double countsPerSpacing);

    QSize pageSize() const;
    QRectF plotRect() const;
    double spacing() const { return spacing_; }
    double lineY(int line) const { return kTitleHeight + (line + 1) * spacing_; }
    double columnX(int column) const { return kLabelMargin + column + 0.5; }
    // The y of a deviation from the line's baseline, clipped to the line's band.
    double y(int line, double deviation) const;

private:
    int lines_;
    double countsPerSpacing_;
    double spacing_;
};

}  // namespace kelvra::helicorder
