#include "tools/helicorder/drum_painter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kelvra::helicorder {
namespace {

constexpr double kLabelHeight = 12.0;
constexpr double kMarkLabelHeight = 10.0;
// Between an event's tick and its label.
constexpr double kMarkGap = 3.0;

// Minutes between the ticks along the top and the bottom of the traces.
int tickMinutes(int minutesPerLine)
{
    return minutesPerLine <= 15 ? 1 : minutesPerLine <= 30 ? 2 : 5;
}

void paintTitle(QPainter& painter, const PageText& text)
{
    QFont font = painter.font();
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QPointF(kLabelMargin, 28), text.title);
    font.setPixelSize(14);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QPointF(kLabelMargin, 50), text.subtitle);
}

void paintMinuteTicks(QPainter& painter, const DrumGeometry& geometry, int minutesPerLine)
{
    const QRectF plot = geometry.plotRect();
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(QColor(Qt::darkGray));
    const int step = tickMinutes(minutesPerLine);
    for (int minute = 0; minute <= minutesPerLine; minute += step) {
        const double x = plot.left() + plot.width() * minute / minutesPerLine;
        painter.drawLine(QPointF(x, plot.top() - 4), QPointF(x, plot.top()));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        const QString label = minute == minutesPerLine
                                  ? QCoreApplication::translate("Helicorder", "%1 min").arg(minute)
                                  : QString::number(minute);
        painter.drawText(QRectF(x - 30, plot.top() - 22, 60, 16), Qt::AlignCenter, label);
    }
}

void paintLineLabels(QPainter& painter, const DrumGeometry& geometry, const DrumSpan& span)
{
    QFont font = painter.font();
    font.setPixelSize(int(std::min(kLabelHeight, geometry.spacing())));
    painter.setFont(font);
    painter.setPen(QColor(Qt::black));
    const bool manyDays = span.lineStart(0).date() != span.at(span.endMicros() - 1).date();
    // Labels would overlap where lines are closer than a label is tall.
    const int every = std::max(1, int(std::ceil(kLabelHeight / geometry.spacing())));
    QDate previous;
    for (int line = 0; line < span.lineCount(); line += every) {
        const QDateTime start = span.lineStart(line);
        const bool newDate = manyDays && start.date() != previous;
        previous = start.date();
        const QString label = start.toString(newDate ? QStringLiteral("MM-dd HH:mm") : QStringLiteral("HH:mm"));
        painter.drawText(QRectF(0, geometry.lineY(line) - 10, kLabelMargin - 10, 20),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

// Each stretch of the trace without a gap in the data is one polyline through every column's
// lowest and highest value, straight across the columns that slow data leave between samples; a
// gap ends it, so an outage stays blank.
void paintLine(QPainter& painter, const DrumGeometry& geometry, const DrumTrace& trace, int line)
{
    painter.setPen(QPen(QColor(kLineColours[std::size_t(line) % kLineColours.size()]), 1.0));
    const double baseline = trace.lineBaseline(line);
    QPolygonF stretch;
    const auto flush = [&] {
        if (stretch.size() == 2)
            painter.drawLine(stretch[0], stretch[1]);
        else if (stretch.size() > 2)
            painter.drawPolyline(stretch);
        stretch.clear();
    };
    for (int column = 0; column < trace.columns(); ++column) {
        if (!trace.hasData(line, column))
            continue;
        if (!trace.continuesPrevious(line, column))
            flush();
        const double x = geometry.columnX(column);
        stretch.append(QPointF(x, geometry.y(line, trace.high(line, column) - baseline)));
        stretch.append(QPointF(x, geometry.y(line, trace.low(line, column) - baseline)));
    }
    flush();
}

// A tick over the upper part of the onset's band, above a quiet trace, and the label on its left,
// where the trace before an onset is quiet; on its right where the page's edge leaves no room. A
// label that would run into the one before it on its line is left out; the tick stays.
void paintEventMarks(QPainter& painter, const DrumGeometry& geometry, const std::vector<EventMark>& marks)
{
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(std::min(kMarkLabelHeight, 0.7 * geometry.spacing()))));
    painter.setFont(font);
    painter.setPen(QPen(QColor(kMarkColour), 2.0));
    std::optional<int> lastLine;
    double lastLabelEnd = 0.0;
    for (const EventMark& mark : marks) {
        const double x = geometry.columnX(mark.column);
        const double top = geometry.lineY(mark.line) - geometry.spacing();
        const double bottom = geometry.lineY(mark.line) - 0.25 * geometry.spacing();
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        const double width = painter.fontMetrics().horizontalAdvance(mark.label);
        const bool onLeft = x - kMarkGap - width >= geometry.plotRect().left();
        const QRectF box(onLeft ? x - kMarkGap - width : x + kMarkGap, top, width, bottom - top);
        if (lastLine == mark.line && box.left() < lastLabelEnd + kMarkGap)
            continue;
        painter.drawText(box, Qt::AlignVCenter | (onLeft ? Qt::AlignRight : Qt::AlignLeft), mark.label);
        lastLine = mark.line;
        lastLabelEnd = box.right();
    }
}

}  // namespace

void paintDrum(QPainter& painter, const DrumGeometry& geometry, const DrumTrace& trace, const DrumSpan& span,
               const PageText& text, const std::vector<EventMark>& marks)
{
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(geometry.pageSize())), QColor(kPaperColour));
    painter.setPen(QColor(Qt::black));
    paintTitle(painter, text);
    paintMinuteTicks(painter, geometry, span.minutesPerLine());
    paintLineLabels(painter, geometry, span);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int line = 0; line < trace.lines(); ++line)
        paintLine(painter, geometry, trace, line);
    paintEventMarks(painter, geometry, marks);
}

}  // namespace kelvra::helicorder
