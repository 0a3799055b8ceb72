#include "view/myqquickview.h"

#include "backend/firmwarecheck.h"
#include "device/hidthread.h"
#include "view/viewlog.h"

#include <algorithm>

void myQQuickView::syncFW()
{
    // A query that gets no answer leaves these as they are: zeros refuse the keyboard.
    ushort version = 0;
    uchar code0 = 0;
    uchar code1 = 0;
    if (hidThread)
        hidThread->hid_80H_GetFWVersion(version, kbLayoutType, code0, code1);
    const bool accepted = isAcceptedFirmware(version, code0, code1);
    qCDebug(lcView, "Firmware %04x, code %02x %02x: %s", version, code0, code1,
            accepted ? "accepted" : "refused");
    currentVersion(accepted);
    if (hidThread)
        hidThread->setKeyboardAccepted(accepted);
    // Every supported keyboard is driven with the key table of layout 1, whatever it reports.
    kbLayoutType = 1;
    if (hidThread)
        hidThread->hid_A1H_GetCurrentProfile(currentProfile);

    keyNameToCode.clear();
    const QVariantList names = loadUsbStr();
    const QVariantList codes = loadUsbCode();
    const qsizetype count = std::min(names.size(), codes.size());
    for (qsizetype i = 0; i < count; ++i)
        keyNameToCode.insert(names.at(i).toString(), uchar(codes.at(i).toUInt()));
}
