#pragma once

// Removes what a killed run can leave beside the program's own files in modules/setting/ and
// modules/macro/: settings locks ("<file>.bin.lock"), which an empty one keeps every write
// waiting until it ages, and temporary copies ("<file>.bin." + six letters or digits) of a write
// that never reached its rename. Call it only while holding the single-instance lock: in a
// running program these files are in use.
void removeLeftoverFiles();
