#pragma once

#include "recorder/form_view.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <vector>

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
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Pixels the pen covers before (above, left of) and after its point.
    int penBefore() const;
    int penAfter() const;
    // A line as asked for, in twips, with the colour and pen it was drawn with.
    struct Line {
        float x1, y1, x2, y2;
        QRgb colour;
        int penWidth;
        friend bool operator==(const Line& a, const Line& b)
        {
            return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.colour == b.colour &&
                   a.penWidth == b.penWidth;
        }
    };
    // The rectangle of a line across the chart, once filled with its colour, and the bounds of
    // what other fills have changed in it since.
    struct KnownFill {
        Line line;  // the last line that filled it
        QRect rect;
        QRect disturbed;
        std::uint64_t lastUse;
    };
    // The grid's 16 lines and the sweep's two, where they are and where they were.
    static constexpr std::size_t kKnownFills = 20;

    void drawLine(float x1, float y1, float x2, float y2, QRgb colour);
    QRect brushed(QPoint a, QPoint b) const;
    // Each returns the bounds of the pixels that changed.
    QRect plot(QPoint from, QPoint to, const Line& line);
    QRect fill(const QRect& rect, const Line& line);
    QRect fill(const QRect& rect, QRgb colour);
    QRect refill(KnownFill& known);
    QRect setPixels(const QRect& rect, QRgb colour);
    // Notes a change in every remembered fill it reaches but `by`.
    void disturb(const QRect& changed, const KnownFill* by);
    KnownFill* knownFill(const Line& line);
    void keepKnownFill(const KnownFill& fill);
    void scheduleRepaint(const QRect& changed);

    QSize outerTwips_;
    QImage image_;
    const int width_;  // of the image, asked for on every line
    const int height_;
    QRgb foreground_;  // the grid's colour, looked up once: most lines are the grid's
    int penWidth_ = 1;
    QRect unpainted_;
    std::vector<KnownFill> knownFills_;
    std::uint64_t fills_ = 0;
};

}  // namespace kelvra
