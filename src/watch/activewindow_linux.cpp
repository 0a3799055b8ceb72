#include "watch/activewindow.h"

#include "watch/watchlog.h"

#include <QSocketNotifier>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
// A window can go between the event that names it and the request that reads it; Xlib's
// default handler would end the program for that.
int ignoreError(::Display *, XErrorEvent *error)
{
    qCDebug(lcWatch) << "X error" << error->error_code << "on request" << error->request_code;
    return 0;
}

// Xlib's handles are pointers in an unsigned long; what the property says is one.
struct PropertyValue {
    unsigned char *data = nullptr;
    unsigned long items = 0;
    ~PropertyValue()
    {
        if (data)
            XFree(data);
    }
};
} // namespace

struct ActiveWindow::Display {
    ::Display *display = nullptr;
    Window root = 0;
    Atom activeWindow = 0;
    Atom wmName = 0;
    Atom utf8String = 0;

    ~Display()
    {
        if (display)
            XCloseDisplay(display);
    }

    bool read(Window window, Atom property, Atom type, int format, PropertyValue &value) const
    {
        Atom actualType = 0;
        int actualFormat = 0;
        unsigned long after = 0;
        // 64 K items: far longer than any title, and a bound on what a client can make us read.
        return XGetWindowProperty(display, window, property, 0, 65536, False, type, &actualType,
                                  &actualFormat, &value.items, &after, &value.data) == Success &&
               value.data && actualType == type && actualFormat == format;
    }
};

std::unique_ptr<ActiveWindow> ActiveWindow::open(const QByteArray &displayName)
{
    auto x = std::make_unique<Display>();
    x->display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!x->display)
        return {};
    XSetErrorHandler(ignoreError);
    x->root = DefaultRootWindow(x->display);
    x->activeWindow = XInternAtom(x->display, "_NET_ACTIVE_WINDOW", False);
    x->wmName = XInternAtom(x->display, "_NET_WM_NAME", False);
    x->utf8String = XInternAtom(x->display, "UTF8_STRING", False);
    XSelectInput(x->display, x->root, PropertyChangeMask);
    XFlush(x->display);
    return std::unique_ptr<ActiveWindow>(new ActiveWindow(std::move(x)));
}

ActiveWindow::ActiveWindow(std::unique_ptr<Display> display) : x(std::move(display))
{
    notifier = new QSocketNotifier(ConnectionNumber(x->display), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &ActiveWindow::readEvents);
}

ActiveWindow::~ActiveWindow() = default;

void ActiveWindow::readEvents()
{
    bool relevant = false;
    // Xlib may have read events off the socket already, so drain its queue, not the socket.
    while (XPending(x->display)) {
        XEvent event;
        XNextEvent(x->display, &event);
        if (event.type != PropertyNotify)
            continue;
        const XPropertyEvent &property = event.xproperty;
        if (property.window == x->root)
            relevant = relevant || property.atom == x->activeWindow;
        else if (property.window == followed)
            relevant = relevant || property.atom == x->wmName || property.atom == XA_WM_NAME;
    }
    if (relevant)
        Q_EMIT changed();
}

unsigned long ActiveWindow::activeWindowId()
{
    PropertyValue value;
    if (!x->read(x->root, x->activeWindow, XA_WINDOW, 32, value) || value.items < 1)
        return 0;
    return *reinterpret_cast<unsigned long *>(value.data);
}

QString ActiveWindow::title(unsigned long window)
{
    PropertyValue name;
    if (x->read(window, x->wmName, x->utf8String, 8, name))
        return QString::fromUtf8(reinterpret_cast<const char *>(name.data), qsizetype(name.items));
    PropertyValue legacy;
    if (x->read(window, XA_WM_NAME, XA_STRING, 8, legacy))
        return QString::fromLatin1(reinterpret_cast<const char *>(legacy.data),
                                   qsizetype(legacy.items));
    return QString();
}

ProfileRules::Window ActiveWindow::current()
{
    const Window window = activeWindowId();
    if (window != followed) {
        if (followed)
            XSelectInput(x->display, followed, NoEventMask);
        if (window)
            XSelectInput(x->display, window, PropertyChangeMask);
        followed = window;
    }
    ProfileRules::Window result;
    if (!window)
        return result;
    XClassHint hint{nullptr, nullptr};
    if (XGetClassHint(x->display, window, &hint)) {
        result.instance = QString::fromLocal8Bit(hint.res_name);
        result.windowClass = QString::fromLocal8Bit(hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    result.title = title(window);
    XFlush(x->display);
    return result;
}
