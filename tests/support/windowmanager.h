#pragma once

#include <QByteArray>

// Xlib's display, declared here so that its macros stay out of the files that include this one.
struct _XDisplay;

// The window manager's part of an X11 display, for those who watch the window in front: it
// maps windows with a class and a title and publishes the one in front in the root window's
// _NET_ACTIVE_WINDOW, as window managers that follow EWMH do.
class WindowManager
{
public:
    // An empty name is $DISPLAY.
    explicit WindowManager(const QByteArray &display);
    ~WindowManager();
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;

    bool isValid() const { return x; }

    // The window's X11 id.
    unsigned long map(const QByteArray &instance, const QByteArray &windowClass,
                      const QByteArray &title);
    void bringToFront(unsigned long window);

private:
    _XDisplay *x;
};
