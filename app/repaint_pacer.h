#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace kelvra {

// Lets a window repaint at most once every few recorder ticks. The recorder changes a few pixels
// and one label on every 20 ms tick; flushing each change to the screen on its own would cost
// several times the recording itself. Held back changes are painted together on a later tick, so
// the pacer never wakes the process by itself; an uncovered window still repaints at once.
class RepaintPacer : public QObject {
    Q_OBJECT
public:
    // `beforeRepaint` runs just before each repaint the pacer makes itself.
    RepaintPacer(QWidget& window, int ticksPerRepaint, std::function<void()> beforeRepaint = {});

    // Called on every tick of the recorder.
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void()> beforeRepaint_;
    int ticksPerRepaint_;
    int ticksSinceRepaint_;
    bool held_ = false;
};

}  // namespace kelvra
