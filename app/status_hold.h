#pragma once

#include <QObject>

class QLabel;

namespace kelvra {

// Keeps a red link status on the screen until it has been painted once. The window paints only
// every few ticks, and a red written between two paints would otherwise never be seen; a steady
// green is never held.
class StatusHold : public QObject {
    Q_OBJECT
public:
    explicit StatusHold(QLabel& label);

    // Called for each write of the status: true when the write is to wait, a green one while the
    // last red has not been painted yet. The recorder writes the status on every tick, so the
    // next write after the paint shows it.
    bool holds(bool red);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool redUnpainted_ = false;
};

}  // namespace kelvra
