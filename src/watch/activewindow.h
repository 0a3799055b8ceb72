#pragma once

#include "backend/profilerules.h"

#include <QObject>

#include <memory>

class QSocketNotifier;

// The window in front on an X11 display, as window managers that follow EWMH publish it in the
// root window's _NET_ACTIVE_WINDOW. Nothing is polled: the root's property changes, and the
// title changes of the window in front, arrive as events on the display's connection.
class ActiveWindow : public QObject
{
    Q_OBJECT

public:
    // Empty when the display cannot be opened; an empty name is $DISPLAY.
    static std::unique_ptr<ActiveWindow> open(const QByteArray &displayName = QByteArray());
    ~ActiveWindow() override;

    // The window in front now; all empty when there is none or it has gone.
    ProfileRules::Window current();

Q_SIGNALS:
    // Another window came to the front, or the one in front changed its title.
    void changed();

private:
    struct Display;
    explicit ActiveWindow(std::unique_ptr<Display> display);
    void readEvents();
    unsigned long activeWindowId();
    QString title(unsigned long window);

    std::unique_ptr<Display> x;
    QSocketNotifier *notifier = nullptr;
    // The window whose title changes are followed.
    unsigned long followed = 0;
};
