#pragma once

#include <memory>

class InputHook;

// The platform's source of system-wide key and button events. Whatever it listens to, it turns
// each event into the record a Windows low-level hook receives and hands it to the hook's
// procedures on the GUI thread. It never grabs or swallows an event.
class HookBackend
{
public:
    virtual ~HookBackend() = default;

    // Starts listening; false when no source could be opened (nothing is listening then).
    virtual bool install() = 0;
    virtual void remove() = 0;
    virtual bool installed() const = 0;
};

// The backend of the platform this program is built for, feeding `hook`.
std::unique_ptr<HookBackend> createHookBackend(InputHook &hook);
