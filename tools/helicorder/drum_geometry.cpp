#include "tools/helicorder/drum_geometry.h"

#include <algorithm>
#include <cmath>

namespace kelvra::helicorder {

double autoScale(double backgroundDeviation)
{
    // A dead-flat channel still gets a scale that shows single counts.
    return std::max(1.0, std::ceil(kAutoScaleDeviations * backgroundDeviation));
}

DrumGeometry::DrumGeometry(int lines, double countsPerSpacing)
    : lines_(lines),
      countsPerSpacing_(countsPerSpacing),
      spacing_(std::max(kLeastSpacing, kTracesHeight / std::max(1, lines)))
{
}

QSize DrumGeometry::pageSize() const
{
    const QRectF plot = plotRect();
    return {int(std::ceil(plot.right() + kRightMargin)), int(std::ceil(plot.bottom() + kBottomMargin))};
}

QRectF DrumGeometry::plotRect() const
{
    return {kLabelMargin, kTitleHeight, double(kPlotColumns), (lines_ + 1) * spacing_};
}

double DrumGeometry::y(int line, double deviation) const
{
    const double spacings = std::clamp(deviation / countsPerSpacing_, -kClipSpacings, kClipSpacings);
    return lineY(line) - spacings * spacing_;
}

}  // namespace kelvra::helicorder
