#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace kelvra {

// Lets a window repaint at most once per interval. The recorder changes a few pixels and one
// label on every 20 ms tick; flushing each change to the screen on its own would cost several
// times the recording itself. Held back changes are painted together when the interval ends;
// an uncovered window still repaints at once.
class RepaintPacer : public QObject {
    Q_OBJECT
public:
    RepaintPacer(QWidget& window, int intervalMs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void release();

    QWidget& window_;
    QTimer interval_;
    bool held_ = false;
};

}  // namespace kelvra
