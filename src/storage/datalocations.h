#pragma once

#include <QString>

// Where the program's files are.
//
// Run from its build folder, or unpacked anywhere, everything lives in the modules/ folder
// beside the executable, as it always has. Installed (bin/ and share/<program>/ side by side),
// the shipped data stays read-only in share/<program>/modules and becomes the working folder,
// while each user's settings, profiles and macros live in that user's own data folder, seeded
// from the shipped files on first start.
namespace DataLocations
{
struct Layout {
    // Made current at start-up; holds modules/ with the shipped data.
    QString workingFolder;
    // Holds setting/ and macro/ with the user's own files.
    QString userFolder;
    bool installed = false;
};

// The layout for a program in `executableFolder`. `sharedFromExecutable` is the installed data
// folder relative to the executable's ("../share/<program>"), `appDataFolder` the user's data
// folder.
Layout layoutFor(const QString &executableFolder, const QString &sharedFromExecutable,
                 const QString &appDataFolder);

// Copies the shipped settings and profiles the user does not have yet, and the shipped macros
// when the user has no macro folder at all: a user's own files, or the macros they deleted,
// are never brought back. Returns false when the user's folders cannot be written.
bool seedUserFolder(const QString &shippedModules, const QString &userFolder);

// The folder of the user's setting/ and macro/ folders: "./modules" unless start-up chose the
// installed layout. Set once at start-up, before the view exists; read on the GUI thread.
QString userFolder();
void setUserFolder(const QString &folder);
} // namespace DataLocations
