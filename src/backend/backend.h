#pragma once

#include "backend/applicationsettings.h"
#include "backend/devicebridge.h"
#include "backend/hardwaredefinition.h"
#include "backend/macrolibrary.h"
#include "backend/profilestore.h"

#include <QStringList>

// Everything the window and the command line do to the user's files and the keyboard, without
// a window: made on any QCoreApplication, with the program's folder current and the user's
// folder chosen. The keyboard is handed in with bridge().setHidThread(). Stored files that the
// strict reader refuses are set aside before anything reads them.
class Backend
{
public:
    Backend();

    const HardwareDefinition &hardware() const { return hardwareDefinition; }
    ApplicationSettings &settings() { return applicationSettings; }
    ProfileStore &profiles() { return profileStore; }
    DeviceBridge &bridge() { return deviceBridge; }
    MacroLibrary &macros() { return macroLibrary; }

    // The stored files the start found damaged, under the names they were set aside as; given
    // out once.
    QStringList takeSetAsideFiles();

private:
    // In this order: the files are checked before the settings objects open them.
    HardwareDefinition hardwareDefinition;
    QStringList setAsideFiles;
    ApplicationSettings applicationSettings;
    ProfileStore profileStore;
    DeviceBridge deviceBridge;
    MacroLibrary macroLibrary;
};
