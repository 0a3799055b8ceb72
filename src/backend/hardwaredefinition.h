#pragma once

#include <QVariantList>

// The keyboard model as the shipped files describe it: its limits and key layouts
// (HWDef.bin) and the names and codes of the standard keys (KeyCodeDef.bin). The limits are
// read once; the rest is read from the file on every call, as the pages ask for it once.
class HardwareDefinition
{
public:
    HardwareDefinition();

    // The layout the definition names before any keyboard reported its own.
    uchar layoutType() const { return kbLayoutType; }
    uchar macroSlots() const { return maxMacro; }
    uchar profileCount() const { return maxProfile; }

    // [total_HW, total_FW, then per key x, y, keyType, name, matrix, keyCode] of `layout`.
    QVariantList keys(uchar layout) const;
    // The key names and their USB usages, in the same order.
    QVariantList keyNames() const;
    QVariantList keyCodes() const;

private:
    uchar kbLayoutType = 0;
    uchar maxMacro = 0;
    uchar maxProfile = 0;
};
