#include "backend/backend.h"

#include "storage/damagedfiles.h"

#include <utility>

// QSettings would read a crafted file into a crash at every start: the strict reader sees the
// stored files first.
Backend::Backend()
    : setAsideFiles(setAsideDamagedFiles(hardwareDefinition.profileCount())),
      profileStore(hardwareDefinition.profileCount()),
      deviceBridge(hardwareDefinition, applicationSettings, profileStore),
      macroLibrary(deviceBridge)
{
}

QStringList Backend::takeSetAsideFiles()
{
    return std::exchange(setAsideFiles, {});
}
