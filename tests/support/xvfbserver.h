#pragma once

#include <QByteArray>

#include <sys/types.h>

// A private X server for one test program: Xvfb on the first free display, which it reports
// itself, so tests running side by side never share or race for a display. Stopped on
// destruction.
class XvfbServer
{
public:
    XvfbServer() = default;
    ~XvfbServer();

    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    // Starts the server and waits until it accepts clients; false if it did not start.
    bool start();
    // Starts the server and makes it the display this process's Qt opens (xcb); false, with a
    // message on stderr, if it did not start. Call before the QApplication exists.
    bool startForThisProcess();
    // ":N", for DISPLAY.
    QByteArray display() const { return name; }

private:
    pid_t pid = -1;
    QByteArray name;
};
