#include "app/chart_surface.h"

#include "app/twips.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace kelvra {
namespace {

constexpr int kBorder = 1;

struct PixelLine {
    QPoint from;
    QPoint to;
};

// Cuts a line given in pixels to the box, so that whatever the coordinates (far off the chart,
// or not finite) the painter only sees small integers. Liang-Barsky; a cut end takes the edge's
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

bool samePixels(const QImage& before, const QImage& image, const QRect& rect)
{
    const auto bytes = static_cast<std::size_t>(rect.width()) * sizeof(QRgb);
    for (int row = 0; row < rect.height(); ++row) {
        const auto* old = reinterpret_cast<const QRgb*>(before.constScanLine(row));
        const auto* now = reinterpret_cast<const QRgb*>(image.constScanLine(rect.top() + row)) + rect.left();
        if (std::memcmp(old, now, bytes) != 0)
            return false;
    }
    return true;
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
    const QRect touched = QRect(line->from, line->to).normalized().adjusted(-reach, -reach, reach, reach);
    // Flat caps leave out the end point, as the desktop's own line drawing does.
    const QPen pen(colour, std::max(penWidth_, 1), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    changeImage(touched, [&](QPainter& painter) {
        painter.setPen(pen);
        painter.drawLine(line->from, line->to);
    });
}

void ChartSurface::clear()
{
    changeImage(image_.rect(), [this](QPainter& painter) { painter.fillRect(image_.rect(), background()); });
}

void ChartSurface::changeImage(const QRect& reach, const std::function<void(QPainter&)>& paint)
{
    const QRect rect = reach & image_.rect();
    if (rect.isEmpty())
        return;
    const QImage before = image_.copy(rect);
    {
        QPainter painter(&image_);
        paint(painter);
    }
    if (!samePixels(before, image_, rect))
        update(rect.translated(kBorder, kBorder));
}

void ChartSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect target = event->rect() & drawingArea();
    painter.drawImage(target, image_, target.translated(-kBorder, -kBorder));
}

}  // namespace kelvra
