#include "app/status_hold.h"

#include <QEvent>
#include <QLabel>

namespace kelvra {

StatusHold::StatusHold(QLabel& label) : QObject(&label) { label.installEventFilter(this); }

bool StatusHold::holds(bool red)
{
    if (red)
        redUnpainted_ = true;
    return !red && redUnpainted_;
}

bool StatusHold::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        redUnpainted_ = false;
    return false;
}

}  // namespace kelvra
