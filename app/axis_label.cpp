#include "app/axis_label.h"

#include "recorder/constants.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace kelvra {

AxisLabel::AxisLabel(int chartWidthTwips, QWidget* parent)
    : QLabel(axisText(), parent), chartWidthTwips_(chartWidthTwips)
{
}

QString AxisLabel::axisText()
{
    // Spaces before each of 1..12; they put the numbers under the grid in the original face.
    constexpr std::array<int, kNumbers - 1> kRuns{12, 14, 14, 13, 14, 13, 13, 14, 13, 13, 12, 11};
    QString text = QStringLiteral(" 0");
    for (std::size_t i = 0; i < kRuns.size(); ++i)
        text += QString(kRuns[i], u' ') + QString::number(i + 1);
    return text;
}

QRect AxisLabel::numberRect(int n) const
{
    const QRect box = contentsRect();
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(QString::number(n));
    const double line = double(chartWidthTwips_) * n / kGridDivisions / kTwipsPerPixel;
    const int left = std::clamp(static_cast<int>(std::lround(line - width / 2.0)), box.left(), box.right() + 1 - width);
    return QRect(left, box.top(), width, metrics.height());
}

void AxisLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    for (int n = 0; n < kNumbers; ++n)
        painter.drawText(numberRect(n), Qt::AlignLeft | Qt::AlignTop, QString::number(n));
}

}  // namespace kelvra
