#include "capture/evdevinputsource_linux.h"
#include "capture/hookbackend.h"
#include "capture/hooklog.h"
#include "capture/x11inputsource_linux.h"

#include <QString>

namespace
{

// X11 when there is a display, else the kernel's input devices that this user may read, else
// nothing: like a failed hook, the program then runs on without key reports.
class LinuxHooks final : public HookBackend
{
public:
    explicit LinuxHooks(InputHook &owner) : hook(owner) {}

    bool install() override
    {
        auto x11 = std::make_unique<X11InputSource>(hook);
        if (x11->open()) {
            x11Source = std::move(x11);
            return true;
        }
        auto evdev = std::make_unique<EvdevInputSource>(hook);
        if (evdev->openDevices(QStringLiteral("/dev/input"))) {
            evdevSource = std::move(evdev);
            return true;
        }
        qCInfo(lcHook) << "no system-wide source of keys and buttons";
        return false;
    }

    void remove() override
    {
        x11Source.reset();
        evdevSource.reset();
    }

    bool installed() const override { return x11Source || evdevSource; }

private:
    InputHook &hook;
    std::unique_ptr<X11InputSource> x11Source;
    std::unique_ptr<EvdevInputSource> evdevSource;
};

} // namespace

std::unique_ptr<HookBackend> createHookBackend(InputHook &hook)
{
    return std::make_unique<LinuxHooks>(hook);
}
