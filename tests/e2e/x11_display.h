#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

struct _XDisplay;

namespace kelvra::e2e {

using WindowId = unsigned long;

// The test's own connection to the X server the recorder shows its windows on. It looks at
// them and acts on them as a user and a window manager would: grabbing pixels, clicking,
// typing into the focused window and asking a window to close. Without a connection (see
// isOpen) it finds nothing and does nothing.
class X11Display {
public:
    X11Display();
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    bool isOpen() const { return display_ != nullptr; }

    // Mapped top-level windows that the process names as its own (_NET_WM_PID).
    QList<WindowId> windowsOf(qint64 pid) const;
    QString title(WindowId window) const;
    // The first of them whose title starts with `titleStart`, waiting up to `withinMs` for one
    // to appear; 0 when none did.
    WindowId waitForWindow(qint64 pid, const QString& titleStart, int withinMs) const;
    bool waitUntilUnmapped(qint64 pid, WindowId window, int withinMs) const;
    // The window's pixels as they are on the screen, what lies on top of it included.
    QImage grab(WindowId window) const;

    void click(WindowId window, QPoint at) const;
    // Gives the window the keyboard focus, as a window manager does with a new dialog, and
    // types the key there; `keysym` is an X key name such as "Return".
    void pressKey(WindowId window, const char* keysym) const;
    // What a window manager sends when the user presses the close box.
    void requestClose(WindowId window) const;

private:
    _XDisplay* display_;
};

}  // namespace kelvra::e2e
