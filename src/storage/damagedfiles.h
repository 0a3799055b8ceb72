#pragma once

#include <QStringList>

// Checks the files the program keeps for the user (apConfig.bin, the profiles p1.bin ...,
// every macro) with the strict reader before any settings object reads them. A refused file is
// set aside, renamed to "<file>.damaged" (or "<file>.damaged-2", ...) so that the user can still
// find it, and its factory file takes its place: apConfigD.bin, pD.bin, or for a macro an empty
// one of the same name. A missing file is not damaged. Returns the names the files were set
// aside as.
QStringList setAsideDamagedFiles(int profileCount);
