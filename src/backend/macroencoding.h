#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

// The keyboard's macro format. An encoded macro is a list of 2-byte units, high byte first:
// the repeat count, then 01 code (press), 81 code (release) or 7F 00 plus a unit holding the
// delay in 10 ms steps, then the end mark 00 00. A slot holds 128 bytes, each unit stored low
// byte first.

constexpr int macroSlotSize = 128;

// Encodes step strings ("A    [Down]", "A      [Up]", "1000   [Delay]"). Steps that would send
// nothing vanish: key names missing from the table or mapped to 0, delays that are not a positive
// number of milliseconds, unknown commands.
QList<uchar> encodeMacro(const QStringList &steps, int repeatTimes,
                         const QMap<QString, uchar> &keyNameToCode);

// The longest prefix of whole steps that fits a slot together with the end mark. A macro that
// already fits comes back unchanged.
QList<uchar> fitMacroToSlot(const QList<uchar> &encoded);

// The slot image of an encoded macro of at most 128 bytes: its units byte-swapped, zero-filled.
std::array<uchar, macroSlotSize> macroSlotImage(const QList<uchar> &encoded);
