#include "cli/standalonefront.h"

#include "backend/backend.h"

void StandaloneFront::prepareKeyboard()
{
    DeviceBridge &bridge = backend.bridge();
    bridge.findKeyboard(DeviceBridge::Listening::Off);
    if (bridge.device() && bridge.device()->isKeyboardAccepted())
        bridge.syncLed();
}

// After the switch the key page asks for gaming mode and the lighting pages take the
// keyboard's lighting into the profile.
void StandaloneFront::chooseProfile(int profile)
{
    DeviceBridge &bridge = backend.bridge();
    bridge.ui_21H_SetCurrentProfile(profile);
    bridge.ui_82H_GetKeyboardMode();
    bridge.syncLed();
}

// There are no pages: the files already hold what the command changed.
void StandaloneFront::reloadPages() {}
