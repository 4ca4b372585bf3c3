#pragma once

#include "recorder/form_view.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QWidget>

namespace kelvra {

// A strip chart: a flat one-pixel border around a drawing area addressed in twips from its
// top-left corner. What is drawn is kept in an image, so that the chart survives being covered,
// and only the bounds of the pixels that lines changed are scheduled for repainting.
class ChartSurface : public QWidget {
    Q_OBJECT
public:
    ChartSurface(QSize outerTwips, QWidget* parent = nullptr);

    // Outer size as laid out, border included.
    float widthTwips() const { return static_cast<float>(outerTwips_.width()); }
    float heightTwips() const { return static_cast<float>(outerTwips_.height()); }

    void setPenWidth(int pixels);
    int penWidth() const { return penWidth_; }
    // The y, in twips, over which a level line drawn with the current pen shows.
    VerticalBand lineReach() const;
    QColor foreground() const;
    QColor background() const;

    void drawLine(float x1, float y1, float x2, float y2);
    void drawLine(float x1, float y1, float x2, float y2, const QColor& colour);
    void clear();

    // The drawing area's pixels.
    const QImage& image() const { return image_; }
    // The rectangle of the drawing area in widget coordinates.
    QRect drawingArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Pixels the pen covers before (above, left of) and after its point.
    int penBefore() const;
    int penAfter() const;
    QRect plot(QPoint from, QPoint to, QRgb colour);
    QRect fill(const QRect& rect, QRgb colour);
    void scheduleRepaint(const QRect& changed);

    QSize outerTwips_;
    QImage image_;
    int penWidth_ = 1;
    QRect unpainted_;
};

}  // namespace kelvra
