#pragma once

#include "recorder/constants.h"

#include <QString>
#include <optional>

namespace kelvra {

enum class LabelId { Label1, Label2, Label3, Label4, Label5, Label6, Label30 };
enum class TimerId { Timer1, Timer2 };

// A band of y on a chart, in twips: top included, bottom not.
struct VerticalBand {
    double top = 0.0;
    double bottom = 0.0;
};

// What the recorder needs of its window. Charts are numbered 0..3 for GP1..GP4; positions
// are twips from the top-left corner of a chart's drawing area, pen widths are pixels.
class FormView {
public:
    virtual ~FormView() = default;

    // Outer size of a chart surface, border included.
    virtual float chartWidth(int chart) const = 0;
    virtual float chartHeight(int chart) const = 0;

    virtual void setPenWidth(int chart, int pixels) = 0;
    // The y over which a level line drawn with the chart's current pen shows at least one pixel.
    virtual VerticalBand lineReach(int chart) const = 0;
    // Without a colour the line takes the chart's foreground colour.
    virtual void drawLine(int chart, float x1, float y1, float x2, float y2,
                          std::optional<Rgb> colour = std::nullopt) = 0;
    virtual void clearChart(int chart) = 0;

    virtual void setLabelText(LabelId label, const QString& text) = 0;
    virtual void setLabelBackground(LabelId label, Rgb colour) = 0;

    // An interval of 0 stops the timer.
    virtual void setTimerInterval(TimerId timer, int milliseconds) = 0;
    // An idle timer keeps its interval but need not wake the process: its ticks would do nothing.
    virtual void setTimerIdle(TimerId timer, bool idle) = 0;

    // A notice that does not stop the recorder.
    virtual void reportProblem(const QString& message) = 0;
};

}  // namespace kelvra
