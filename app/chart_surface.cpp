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

// For two valid rectangles; QRect's own operators are not inline, and this runs for every
// remembered fill on every change.
bool overlap(const QRect& a, const QRect& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

}  // namespace

ChartSurface::ChartSurface(QSize outerTwips, QWidget* parent)
    : QWidget(parent),
      outerTwips_(outerTwips),
      image_(twipsToPixels(outerTwips.width()) - 2 * kBorder, twipsToPixels(outerTwips.height()) - 2 * kBorder,
             QImage::Format_RGB32),
      width_(image_.width()),
      height_(image_.height()),
      foreground_(foreground().rgb())
{
    setFixedSize(width_ + 2 * kBorder, height_ + 2 * kBorder);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(background());
    knownFills_.reserve(kKnownFills);
}

void ChartSurface::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        foreground_ = foreground().rgb();
    QWidget::changeEvent(event);
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

void ChartSurface::drawLine(float x1, float y1, float x2, float y2) { drawLine(x1, y1, x2, y2, foreground_); }

void ChartSurface::drawLine(float x1, float y1, float x2, float y2, const QColor& colour)
{
    drawLine(x1, y1, x2, y2, colour.rgb());
}

void ChartSurface::drawLine(float x1, float y1, float x2, float y2, QRgb colour)
{
    const Line line{x1, y1, x2, y2, colour, penWidth_};
    if (KnownFill* known = knownFill(line)) {
        // The grid's lines on every draw: nothing to do unless something was drawn across them.
        known->lastUse = ++fills_;
        if (!known->disturbed.isEmpty()) {
            const QRect changed = refill(*known);
            if (!changed.isEmpty())
                scheduleRepaint(changed.translated(kBorder, kBorder));
        }
        return;
    }
    const int reach = std::max(penWidth_, 1) + 1;
    const QRectF box(QPointF(-reach, -reach), QPointF(width_ + reach, height_ + reach));
    const auto pixels = clipToBox(double(x1) / kTwipsPerPixel, double(y1) / kTwipsPerPixel,
                                  double(x2) / kTwipsPerPixel, double(y2) / kTwipsPerPixel, box);
    if (!pixels)
        return;
    const QRect changed = plot(pixels->from, pixels->to, line);
    if (!changed.isEmpty())
        scheduleRepaint(changed.translated(kBorder, kBorder));
}

// One rectangle around all changes until the next paint: each rectangle of the window's dirty
// region becomes an image put of its own when the window is flushed to the screen.
void ChartSurface::scheduleRepaint(const QRect& changed)
{
    // The sweep changes the same few columns tick after tick: what lies within the rectangle
    // already asked for needs no new request.
    const QRect grown = unpainted_ | changed;
    if (grown == unpainted_)
        return;
    unpainted_ = grown;
    update(unpainted_);
}

// The pixels a square brush of the pen width covers from a to b, within the image; may be empty.
// From a to b as QRect takes them: a line drawn upwards loses a row at each end.
QRect ChartSurface::brushed(QPoint a, QPoint b) const
{
    const QRect covered = QRect(a, b).normalized().adjusted(-penBefore(), -penBefore(), penAfter(), penAfter());
    if (covered.isEmpty())
        return covered;
    return QRect(QPoint(std::max(covered.left(), 0), std::max(covered.top(), 0)),
                 QPoint(std::min(covered.right(), width_ - 1), std::min(covered.bottom(), height_ - 1)));
}

// Bresenham with a square brush of the pen width, written straight into the image: exact
// colours, square-ish caps, and a segment shorter than a pixel still leaves a dot. The painter
// would hand tall lines to worker threads, which costs more than the drawing itself. Returns
// the bounds of the pixels that changed: redrawing the grid mostly changes none.
QRect ChartSurface::plot(QPoint from, QPoint to, const Line& line)
{
    // Upright and level lines are one rectangle. Those across the whole chart, the grid's and the
    // sweep's, come back on every draw.
    if (from.x() == to.x() || from.y() == to.y()) {
        const QRect rect = brushed(from, to);
        if (rect.width() == width_ || rect.height() == height_)
            return fill(rect, line);
        return fill(rect, line.colour);
    }
    QRect changed;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    for (QPoint p = from;;) {
        const QRect filled = fill(brushed(p, p), line.colour);
        if (!filled.isEmpty())
            changed |= filled;
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

// The grid is drawn again on every draw of its chart and mostly finds its pixels as it left them:
// a line's fill is remembered, and drawn again it looks only where other fills have changed its
// pixels since.
QRect ChartSurface::fill(const QRect& rect, const Line& line)
{
    if (rect.isEmpty())
        return QRect();
    for (KnownFill& known : knownFills_)
        if (known.rect == rect && known.line.colour == line.colour) {
            // The sweep's lines come back to the same column at slightly different positions.
            known.line = line;
            return refill(known);
        }
    const QRect changed = fill(rect, line.colour);
    keepKnownFill({line, rect, QRect(), ++fills_});
    return changed;
}

QRect ChartSurface::fill(const QRect& rect, QRgb colour)
{
    const QRect changed = setPixels(rect, colour);
    disturb(changed, nullptr);
    return changed;
}

QRect ChartSurface::refill(KnownFill& known)
{
    const QRect changed = setPixels(known.disturbed, known.line.colour);
    known.disturbed = QRect();
    known.lastUse = ++fills_;
    disturb(changed, &known);
    return changed;
}

void ChartSurface::disturb(const QRect& changed, const KnownFill* by)
{
    if (changed.isEmpty())
        return;
    for (KnownFill& known : knownFills_)
        if (&known != by && overlap(changed, known.rect))
            known.disturbed |= changed & known.rect;
}

QRect ChartSurface::setPixels(const QRect& rect, QRgb colour)
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

ChartSurface::KnownFill* ChartSurface::knownFill(const Line& line)
{
    for (KnownFill& known : knownFills_)
        if (known.line == line)
            return &known;
    return nullptr;
}

void ChartSurface::keepKnownFill(const KnownFill& fill)
{
    if (knownFills_.size() < kKnownFills) {
        knownFills_.push_back(fill);
        return;
    }
    // The sweep's lines move on; the grid's come back on every draw.
    *std::min_element(knownFills_.begin(), knownFills_.end(),
                      [](const KnownFill& a, const KnownFill& b) { return a.lastUse < b.lastUse; }) = fill;
}

void ChartSurface::clear()
{
    const QRgb colour = background().rgb();
    for (int y = 0; y < image_.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        if (std::any_of(row, row + image_.width(), [colour](QRgb pixel) { return pixel != colour; })) {
            image_.fill(colour);
            knownFills_.clear();
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
