#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

namespace kelvra::e2e {

// Where the recorder's window shows things, in pixels of its client area at 96 dots per inch.
namespace screen {

// The drawing area inside chart `chart` (0 for GP1), within its one-pixel border.
QRect chartArea(int chart);
QColor traceColour(int chart);
// The pixel row within a drawing area where a reading's trace lies.
int traceRow(double reading);

const QRect kLinkStatus(776, 480, 107, 19);  // Label5
const QPoint kExitButton(828, 580);          // middle of Command1

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

// Columns in [from, to] of the chart's drawing area where its trace colour lies within a pixel
// or two of the reading's row.
QList<int> traceColumns(const QImage& window, int chart, double reading, int from, int to);
// Columns in [from, to] where the trace colour shows anywhere else in the drawing area.
QList<int> strayTraceColumns(const QImage& window, int chart, double reading, int from, int to);
// The last column whose drawing is done after `requests` ticks: the sweep moves one twip per
// tick, and the few columns before it hold the sweep lines and the newest segments.
int settledColumn(qsizetype requests);
// A reading the recorder gave a chart, and the sweep position (twips) it was drawn at.
struct Plotted {
    double reading;
    double x;
};
// What the recorder said it gave chart `chart` on its stderr (kelvra.readings debug output).
QList<Plotted> plottedReadings(const QString& errorOutput, int chart);
// Columns in [from, to] whose drawing comes from `reading` alone. A reply that missed its tick is
// drawn at 0 and hands a neighbour's reply on; on a loaded machine that may happen anywhere.
QList<int> columnsDrawnOnlyFrom(const QList<Plotted>& plotted, double reading, int from, int to);
// Share, 0 to 1, of the rectangle's pixels that have exactly this colour.
double shareOf(const QImage& window, const QRect& rect, const QColor& colour);

}  // namespace screen
}  // namespace kelvra::e2e
