#include "capture/x11inputsource_linux.h"

#include "capture/hooklog.h"
#include "capture/inputhook.h"
#include "capture/mousemessage_linux.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace
{

// X key codes are the Linux key codes shifted by 8.
constexpr int xKeyCodeOffset = 8;

} // namespace

X11InputSource::X11InputSource(InputHook &owner) : hook(owner) {}

X11InputSource::~X11InputSource()
{
    close();
}

bool X11InputSource::open()
{
    close();
    display = XOpenDisplay(nullptr);
    if (!display) {
        qCInfo(lcHook) << "no X display";
        return false;
    }

    int firstEvent = 0;
    int firstError = 0;
    int major = 2;
    int minor = 2;
    // 2.2 makes the server send raw events of all devices to a root window selection on the
    // master devices, once per physical event.
    if (!XQueryExtension(display, "XInputExtension", &inputOpcode, &firstEvent, &firstError) ||
        XIQueryVersion(display, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 2)) {
        qCWarning(lcHook) << "the X display has no XInput 2.2; keys are not watched there";
        close();
        return false;
    }

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    // Wait for the server to take the selection, so that every event after open() is seen.
    XSync(display, False);

    notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [this] { readEvents(); });
    qCInfo(lcHook) << "watching keys and buttons through XInput2 on" << DisplayString(display);
    return true;
}

void X11InputSource::close()
{
    notifier.reset();
    if (display)
        XCloseDisplay(display);
    display = nullptr;
}

void X11InputSource::readEvents()
{
    // Xlib may already hold events read during another request, so drain its queue, not the
    // socket.
    while (display && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != inputOpcode ||
            !XGetEventData(display, cookie))
            continue;

        const int type = cookie->evtype;
        const auto detail =
            static_cast<unsigned>(static_cast<const XIRawEvent *>(cookie->data)->detail);
        XFreeEventData(display, cookie);
        dispatch(type, detail);
    }
}

void X11InputSource::dispatch(int type, unsigned detail)
{
    switch (type) {
    case XI_RawKeyPress:
    case XI_RawKeyRelease: {
        const KeyRecord record = keys.record(detail - xKeyCodeOffset, type == XI_RawKeyPress);
        hook.keyboardProcedure(0, record.message, record.scanCode, record.flags);
        break;
    }
    case XI_RawButtonPress:
    case XI_RawButtonRelease: {
        const std::uint32_t message = mouseMessageForX11Button(detail, type == XI_RawButtonPress);
        if (message != 0) {
            int x = 0;
            int y = 0;
            pointerPosition(x, y);
            hook.mouseProcedure(message, x, y);
        }
        break;
    }
    default:
        break;
    }
}

// Raw events carry no position; the pointer is where the button went down or up.
void X11InputSource::pointerPosition(int &x, int &y)
{
    Window root = 0;
    Window child = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY,
                  &buttons);
}
