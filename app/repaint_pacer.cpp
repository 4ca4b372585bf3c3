#include "app/repaint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kelvra {

RepaintPacer::RepaintPacer(QWidget& window, int intervalMs) : QObject(&window), window_(window)
{
    interval_.setSingleShot(true);
    interval_.setInterval(intervalMs);
    connect(&interval_, &QTimer::timeout, this, &RepaintPacer::release);
    window.installEventFilter(this);
}

bool RepaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_ || event->type() != QEvent::UpdateRequest)
        return false;
    if (interval_.isActive()) {
        // The window's pending changes stay marked; the request is made again on release.
        held_ = true;
        return true;
    }
    interval_.start();
    return false;
}

void RepaintPacer::release()
{
    if (!held_)
        return;
    held_ = false;
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

}  // namespace kelvra
