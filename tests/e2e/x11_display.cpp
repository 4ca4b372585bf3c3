#include "tests/e2e/x11_display.h"

#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace kelvra::e2e {
namespace {

constexpr int kOpenPatienceMs = 5000;

// A window may vanish between being listed and being used; that must not end the test.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

struct Property {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned char* data = nullptr;

    ~Property()
    {
        if (data)
            XFree(data);
    }
};

bool readProperty(Display* display, Window window, const char* name, Property& property)
{
    unsigned long after = 0;
    return XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False,
                              AnyPropertyType, &property.type, &property.format, &property.count, &after,
                              &property.data)
        == Success
        && property.data != nullptr;
}

quint8 channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1U) == 0)
        ++shift;
    return static_cast<quint8>((pixel & mask) >> shift);
}

}  // namespace

X11Display::X11Display() : display_(nullptr)
{
    // A busy server may turn a connection away for a moment.
    if (QTest::qWaitFor([this] { return (display_ = XOpenDisplay(nullptr)) != nullptr; }, kOpenPatienceMs))
        XSetErrorHandler(ignoreErrors);
}

X11Display::~X11Display()
{
    if (display_)
        XCloseDisplay(display_);
}

QList<WindowId> X11Display::windowsOf(qint64 pid) const
{
    QList<WindowId> found;
    if (!display_)
        return found;
    Window root = DefaultRootWindow(display_);
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, root, &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display_, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        Property owner;
        if (readProperty(display_, children[i], "_NET_WM_PID", owner) && owner.format == 32 && owner.count == 1
            && static_cast<qint64>(*reinterpret_cast<unsigned long*>(owner.data)) == pid)
            found.append(children[i]);
    }
    if (children)
        XFree(children);
    return found;
}

QString X11Display::title(WindowId window) const
{
    if (!display_)
        return {};
    Property name;
    if (readProperty(display_, window, "_NET_WM_NAME", name) && name.format == 8)
        return QString::fromUtf8(reinterpret_cast<const char*>(name.data), static_cast<qsizetype>(name.count));
    Property legacy;
    if (readProperty(display_, window, "WM_NAME", legacy) && legacy.format == 8)
        return QString::fromLatin1(reinterpret_cast<const char*>(legacy.data), static_cast<qsizetype>(legacy.count));
    return {};
}

WindowId X11Display::waitForWindow(qint64 pid, const QString& titleStart, int withinMs) const
{
    WindowId found = 0;
    const bool appeared = QTest::qWaitFor(
        [&] {
            for (const WindowId window : windowsOf(pid)) {
                if (title(window).startsWith(titleStart)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        withinMs);
    return appeared ? found : 0;
}

bool X11Display::waitUntilUnmapped(qint64 pid, WindowId window, int withinMs) const
{
    return QTest::qWaitFor([&] { return !windowsOf(pid).contains(window); }, withinMs);
}

QImage X11Display::grab(WindowId window) const
{
    XWindowAttributes attributes{};
    if (!display_ || !XGetWindowAttributes(display_, window, &attributes))
        return {};
    XImage* pixels = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!pixels)
        return {};
    QImage image(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const unsigned long p = XGetPixel(pixels, x, y);
            line[x] = qRgb(channel(p, pixels->red_mask), channel(p, pixels->green_mask),
                           channel(p, pixels->blue_mask));
        }
    }
    XDestroyImage(pixels);
    return image;
}

void X11Display::click(WindowId window, QPoint at) const
{
    if (!display_)
        return;
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), at.x(), at.y(), &x, &y, &child);
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
    XSync(display_, False);
}

void X11Display::pressKey(WindowId window, const char* keysym) const
{
    if (!display_)
        return;
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

void X11Display::requestClose(WindowId window) const
{
    if (!display_)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

}  // namespace kelvra::e2e
