#include "app/chart_surface.h"

#include "app/twips.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kelvra {
namespace {

constexpr int kBorder = 1;

struct PixelLine {
    QPoint from;
    QPoint to;
};

// Cuts a line given in pixels to the box, so that whatever the coordinates (far off the chart,
// or not finite) only small integers reach the plotting. Liang-Barsky; a cut end takes the edge's
// own coordinate, since far-off ends leave too few significant digits to compute it from.
std::optional<PixelLine> clipToBox(double x1, double y1, double x2, double y2, const QRectF& box)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return std::nullopt;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double edges[4] = {box.left(), box.right(), box.top(), box.bottom()};
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - edges[0], edges[1] - x1, y1 - edges[2], edges[3] - y1};
    double t0 = 0.0;
    double t1 = 1.0;
    int edge0 = -1;
    int edge1 = -1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0 && t > t0) {
            t0 = t;
            edge0 = i;
        } else if (p[i] > 0.0 && t < t1) {
            t1 = t;
            edge1 = i;
        }
        if (t0 > t1)
            return std::nullopt;
    }
    auto pointAt = [&](double t, int edge) {
        const double x = edge == 0 || edge == 1 ? edges[edge] : x1 + t * dx;
        const double y = edge == 2 || edge == 3 ? edges[edge] : y1 + t * dy;
        return QPoint(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    };
    return PixelLine{pointAt(t0, edge0), pointAt(t1, edge1)};
}

}  // namespace

ChartSurface::ChartSurface(QSize outerTwips, QWidget* parent)
    : QWidget(parent),
      outerTwips_(outerTwips),
      image_(twipsToPixels(outerTwips.width()) - 2 * kBorder, twipsToPixels(outerTwips.height()) - 2 * kBorder,
             QImage::Format_RGB32)
{
    setFixedSize(image_.width() + 2 * kBorder, image_.height() + 2 * kBorder);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(background());
}

void ChartSurface::setPenWidth(int pixels) { penWidth_ = pixels; }

// A two-pixel pen covers the row above and the column left of its point too.
int ChartSurface::penBefore() const { return std::max(penWidth_, 1) / 2; }

int ChartSurface::penAfter() const { return std::max(penWidth_, 1) - 1 - penBefore(); }

VerticalBand ChartSurface::lineReach() const
{
    return {double(-penAfter() * kTwipsPerPixel), double((image_.height() + penBefore()) * kTwipsPerPixel)};
}

QColor ChartSurface::foreground() const { return palette().color(QPalette::WindowText); }

QColor ChartSurface::background() const { return palette().color(QPalette::Base); }

QRect ChartSurface::drawingArea() const { return QRect(QPoint(kBorder, kBorder), image_.size()); }

void ChartSurface::drawLine(float x1, float y1, float x2, float y2) { drawLine(x1, y1, x2, y2, foreground()); }

void ChartSurface::drawLine(float x1, float y1, float x2, float y2, const QColor& colour)
{
    const int reach = std::max(penWidth_, 1) + 1;
    const QRectF box(QPointF(-reach, -reach), QPointF(image_.width() + reach, image_.height() + reach));
    const auto line = clipToBox(double(x1) / kTwipsPerPixel, double(y1) / kTwipsPerPixel,
                                double(x2) / kTwipsPerPixel, double(y2) / kTwipsPerPixel, box);
    if (!line)
        return;
    const QRect changed = plot(line->from, line->to, colour.rgb());
    if (!changed.isEmpty())
        scheduleRepaint(changed.translated(kBorder, kBorder));
}

// One rectangle around all changes until the next paint: each rectangle of the window's dirty
// region becomes an image put of its own when the window is flushed to the screen.
void ChartSurface::scheduleRepaint(const QRect& changed)
{
    unpainted_ |= changed;
    update(unpainted_);
}

// Bresenham with a square brush of the pen width, written straight into the image: exact
// colours, square-ish caps, and a segment shorter than a pixel still leaves a dot. The painter
// would hand tall lines to worker threads, which costs more than the drawing itself. Returns
// the bounds of the pixels that changed: redrawing the grid mostly changes none.
QRect ChartSurface::plot(QPoint from, QPoint to, QRgb colour)
{
    const int before = penBefore();
    const int after = penAfter();
    QRect changed;
    auto brush = [&](QPoint a, QPoint b) {
        const QRect covered = QRect(a, b).normalized().adjusted(-before, -before, after, after);
        const QRect filled = fill(covered & image_.rect(), colour);
        if (!filled.isEmpty())
            changed |= filled;
    };
    // The grid and the sweep lines are upright or level: one rectangle.
    if (from.x() == to.x() || from.y() == to.y()) {
        brush(from, to);
        return changed;
    }
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    for (QPoint p = from;;) {
        brush(p, p);
        if (p == to)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
    return changed;
}

QRect ChartSurface::fill(const QRect& rect, QRgb colour)
{
    if (rect.isEmpty())
        return QRect();
    int left = rect.right() + 1;
    int right = rect.left() - 1;
    int top = rect.bottom() + 1;
    int bottom = rect.top() - 1;
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (row[x] == colour)
                continue;
            row[x] = colour;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void ChartSurface::clear()
{
    const QRgb colour = background().rgb();
    for (int y = 0; y < image_.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        if (std::any_of(row, row + image_.width(), [colour](QRgb pixel) { return pixel != colour; })) {
            image_.fill(colour);
            scheduleRepaint(drawingArea());
            return;
        }
    }
}

void ChartSurface::paintEvent(QPaintEvent* event)
{
    // One rectangle at a time: under a single-rectangle clip the painter copies rows directly,
    // where a clip of many strips would make it fill span by span, tall ones on worker threads.
    unpainted_ = QRect();
    QPainter painter(this);
    const QColor border = palette().color(QPalette::WindowText);
    const QRect area = drawingArea();
    for (const QRect& dirty : event->region()) {
        painter.setClipRect(dirty);
        const QRect target = dirty & area;
        if (!target.isEmpty())
            painter.drawImage(target.topLeft(), image_, target.translated(-kBorder, -kBorder));
        if (target != dirty) {
            painter.fillRect(0, 0, width(), kBorder, border);
            painter.fillRect(0, height() - kBorder, width(), kBorder, border);
            painter.fillRect(0, 0, kBorder, height(), border);
            painter.fillRect(width() - kBorder, 0, kBorder, height(), border);
        }
    }
}

}  // namespace kelvra
