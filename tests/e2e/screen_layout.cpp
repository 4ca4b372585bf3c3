#include "tests/e2e/screen_layout.h"

#include <QRegularExpression>

#include <cmath>

namespace kelvra::e2e::screen {
namespace {

constexpr int kTwipsPerPixel = 15;
// Readings 0..1023 share the 126 pixel rows where the two-pixel trace pen still shows.
constexpr double kTraceReachTwips = 1890.0;
constexpr double kCodes = 1024.0;
// The pen is two pixels wide, so a trace covers its own row and the one above or below.
constexpr int kRowsAbove = 2;
constexpr int kRowsBelow = 1;

bool colourAt(const QImage& window, QPoint at, const QColor& colour)
{
    return window.valid(at) && window.pixel(at) == colour.rgb();
}

bool nearRow(int row, int traceRow) { return row >= traceRow - kRowsAbove && row <= traceRow + kRowsBelow; }

}  // namespace

QRect chartArea(int chart)
{
    // Charts are 10835 x 1900 twips at x 480, y 360 + 2400 per band, with a one-pixel border.
    return QRect(480 / kTwipsPerPixel + 1, (360 + 2400 * chart) / kTwipsPerPixel + 1, 720, 125);
}

QColor traceColour(int chart)
{
    static const QColor colours[] = {{255, 0, 0}, {0, 128, 0}, {0, 0, 255}, {128, 0, 128}};
    return colours[chart];
}

int traceRow(double reading)
{
    return static_cast<int>(std::floor(kTraceReachTwips * (kCodes - 0.5 - reading) / kCodes / kTwipsPerPixel));
}

int settledColumn(qsizetype requests) { return static_cast<int>(requests / kTwipsPerPixel) - 3; }

QList<int> traceColumns(const QImage& window, int chart, double reading, int from, int to)
{
    const QRect area = chartArea(chart);
    const int row = traceRow(reading);
    QList<int> columns;
    for (int column = from; column <= to; ++column) {
        for (int y = row - kRowsAbove; y <= row + kRowsBelow; ++y) {
            if (colourAt(window, area.topLeft() + QPoint(column, y), traceColour(chart))) {
                columns.append(column);
                break;
            }
        }
    }
    return columns;
}

QList<int> strayTraceColumns(const QImage& window, int chart, double reading, int from, int to)
{
    const QRect area = chartArea(chart);
    const int row = traceRow(reading);
    QList<int> columns;
    for (int column = from; column <= to; ++column) {
        for (int y = 0; y < area.height(); ++y) {
            if (!nearRow(y, row) && colourAt(window, area.topLeft() + QPoint(column, y), traceColour(chart))) {
                columns.append(column);
                break;
            }
        }
    }
    return columns;
}

QList<Plotted> plottedReadings(const QString& errorOutput, int chart)
{
    static const QRegularExpression line(QStringLiteral("^kelvra\\.readings: GP(\\d) (\\S+) at (\\S+) reply"),
                                         QRegularExpression::MultilineOption);
    QList<Plotted> plotted;
    for (const QRegularExpressionMatch& match : line.globalMatch(errorOutput))
        if (match.captured(1).toInt() == chart + 1)
            plotted.append({match.captured(2).toDouble(), match.captured(3).toDouble()});
    return plotted;
}

QList<int> columnsDrawnOnlyFrom(const QList<Plotted>& plotted, double reading, int from, int to)
{
    // A segment starts up to four ticks back at the chart's previous reading, and the two-pixel pen
    // reaches into the columns beside it: a column shows what was drawn from two columns before it
    // to two after.
    // Lines not read yet leave the newest columns unjudged.
    const double told = plotted.isEmpty() ? -1.0 : plotted.last().x;
    QList<int> columns;
    for (int column = from; column <= to; ++column) {
        const double start = (column - 2) * kTwipsPerPixel;
        const double end = (column + 3) * kTwipsPerPixel;
        if (end > told)
            break;
        bool any = false;
        bool onlyThis = true;
        for (const Plotted& point : plotted) {
            if (point.x < start || point.x >= end)
                continue;
            any = true;
            onlyThis = onlyThis && point.reading == reading;
        }
        if (any && onlyThis)
            columns.append(column);
    }
    return columns;
}

double shareOf(const QImage& window, const QRect& rect, const QColor& colour)
{
    int matching = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            matching += colourAt(window, QPoint(x, y), colour) ? 1 : 0;
    }
    return rect.isEmpty() ? 0.0 : static_cast<double>(matching) / (rect.width() * rect.height());
}

}  // namespace kelvra::e2e::screen
