#pragma once

#include "capture/keyrecord_linux.h"

#include <memory>

class InputHook;
class QSocketNotifier;
struct _XDisplay;

// Watches every key and button of the X display through XInput2 raw events on the root window.
// Raw events need no privileges and no grab, so every event still goes to the focused window.
// Runs on the thread that opens it: the connection is read by a socket notifier.
class X11InputSource
{
public:
    explicit X11InputSource(InputHook &hook);
    ~X11InputSource();

    X11InputSource(const X11InputSource &) = delete;
    X11InputSource &operator=(const X11InputSource &) = delete;

    // Connects to $DISPLAY; false when there is no display or it lacks XInput 2.2.
    bool open();
    void close();

private:
    void readEvents();
    void dispatch(int type, unsigned detail);
    void pointerPosition(int &x, int &y);

    InputHook &hook;
    _XDisplay *display = nullptr;
    int inputOpcode = 0;
    std::unique_ptr<QSocketNotifier> notifier;
    KeyRecordBuilder keys;
};
