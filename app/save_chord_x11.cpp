#include "app/save_chord.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Xlib after Qt: it defines KeyPress, None and Bool as macros.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kelvra {

bool sendSaveChord()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor))
        return false;

    const KeyCode ctrl = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
    const KeyCode x = XKeysymToKeycode(display, XK_x);
    if (ctrl == 0 || alt == 0 || x == 0)
        return false;

    XTestFakeKeyEvent(display, ctrl, True, CurrentTime);
    XTestFakeKeyEvent(display, alt, True, CurrentTime);
    XTestFakeKeyEvent(display, x, True, CurrentTime);
    XTestFakeKeyEvent(display, x, False, CurrentTime);
    XTestFakeKeyEvent(display, alt, False, CurrentTime);
    XTestFakeKeyEvent(display, ctrl, False, CurrentTime);
    XFlush(display);
    return true;
}

}  // namespace kelvra
