#pragma once

#include <QLabel>
#include <QRect>

namespace kelvra {

// The division numbers 0 to 12 under a chart. Its text is the space-padded line that lines up
// only in the original face, so each number is painted under its own grid line instead.
class AxisLabel : public QLabel {
    Q_OBJECT
public:
    AxisLabel(int chartWidthTwips, QWidget* parent = nullptr);

    static QString axisText();
    static constexpr int kNumbers = 13;

    // Where number n (0..12) is painted: centred on its grid line, but never outside the box.
    QRect numberRect(int n) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int chartWidthTwips_;
};

}  // namespace kelvra
