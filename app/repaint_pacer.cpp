#include "app/repaint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace kelvra {

RepaintPacer::RepaintPacer(QWidget& window, int ticksPerRepaint, std::function<void()> beforeRepaint)
    : QObject(&window),
      window_(window),
      beforeRepaint_(std::move(beforeRepaint)),
      ticksPerRepaint_(ticksPerRepaint),
      ticksSinceRepaint_(ticksPerRepaint)
{
    window.installEventFilter(this);
}

void RepaintPacer::tick()
{
    if (ticksSinceRepaint_ < ticksPerRepaint_)
        ++ticksSinceRepaint_;
    if (!held_ || ticksSinceRepaint_ < ticksPerRepaint_)
        return;
    held_ = false;
    if (beforeRepaint_)
        beforeRepaint_();
    // Painted within the tick that runs anyway: a posted request would make the event loop go
    // round once more.
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&window_, &request);
}

bool RepaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_ || event->type() != QEvent::UpdateRequest)
        return false;
    if (ticksSinceRepaint_ < ticksPerRepaint_) {
        // The window's pending changes stay marked; the request is made again on a later tick.
        held_ = true;
        return true;
    }
    ticksSinceRepaint_ = 0;
    return false;
}

}  // namespace kelvra
