#include "windowmanager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

WindowManager::WindowManager(const QByteArray &display)
    : x(XOpenDisplay(display.isEmpty() ? nullptr : display.constData()))
{
}

WindowManager::~WindowManager()
{
    if (x)
        XCloseDisplay(x);
}

unsigned long WindowManager::map(const QByteArray &instance, const QByteArray &windowClass,
                                 const QByteArray &title)
{
    const Window window = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 100, 100, 0, 0, 0);
    XClassHint hint{const_cast<char *>(instance.constData()),
                    const_cast<char *>(windowClass.constData())};
    XSetClassHint(x, window, &hint);
    XChangeProperty(x, window, XInternAtom(x, "_NET_WM_NAME", False),
                    XInternAtom(x, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(title.constData()), int(title.size()));
    XMapWindow(x, window);
    XFlush(x);
    return window;
}

void WindowManager::bringToFront(unsigned long window)
{
    XChangeProperty(x, DefaultRootWindow(x), XInternAtom(x, "_NET_ACTIVE_WINDOW", False), XA_WINDOW,
                    32, PropModeReplace, reinterpret_cast<const unsigned char *>(&window), 1);
    XFlush(x);
}
