#include "device/devicelog.h"
#include "device/hidthread.h"

#include <algorithm>

// Takes the transport and prepares the request. ansReport starts as a copy of the request, and
// dataBuffer as the caller's buffer, so whatever the keyboard does not answer reads back as the
// caller's own values.
bool Hid_Thread::beginGetCommand(uchar code, uchar param2, uchar param3, const uchar *src, int n)
{
    if (queriesHeld)
        return false;
    if (!waitIdle()) {
        qCDebug(lcDevice, "cmd Failed");
        if (keyboardPresent()) {
            Q_EMIT commandFailed(code);
            holdQueries();
        }
        return false;
    }
    setCommandReport(code, {0x00, param2, param3, 0x00, 0x55, 0xAA, 0x00});
    ansReport = cmdReport;
    if (n > 0)
        std::copy_n(src, n, dataBuffer.begin());
    return true;
}

void Hid_Thread::hid_80H_GetFWVersion(ushort &version, uchar &mode_UsUk, uchar &code0, uchar &code1)
{
    if (!beginGetCommand(0x80, 0x00, 0x00, nullptr, 0))
        return;
    // The version query must reach even a keyboard refused earlier: it decides anew.
    keyboardAccepted = true;
    if (!queryTransfer(0))
        return;
    version = ushort(ansReport[2] * 256 + ansReport[3]);
    mode_UsUk = uchar((ansReport[4] >> 1) & 3);
    code0 = ansReport[7];
    code1 = ansReport[8];
}

void Hid_Thread::hid_82H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3)
{
    if (!beginGetCommand(0x82, 0x00, 0x00, nullptr, 0))
        return;
    ansReport[2] = byte1;
    ansReport[3] = byte2;
    ansReport[4] = byte3;
    queryTransfer(0);
    byte1 = ansReport[2];
    byte2 = ansReport[3];
    byte3 = ansReport[4];
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar &sens1)
{
    if (!beginGetCommand(0x84, 0x00, 0x00, nullptr, 0))
        return;
    ansReport[2] = sens1;
    queryTransfer(0);
    sens1 = ansReport[2];
}

bool Hid_Thread::hid_88H_GetLEDType(uchar &type, uchar &brightness, uchar &speed, uchar &direction,
                                    uchar &color, uchar &bl0, uchar &bl1)
{
    if (!beginGetCommand(0x88, 0x00, 0x00, nullptr, 0))
        return false;
    ansReport = {0x00, 0x88, type, brightness, speed, direction, color, bl0, bl1};
    const bool answered = queryTransfer(0);
    type = ansReport[2];
    brightness = ansReport[3];
    speed = ansReport[4];
    direction = ansReport[5];
    color = ansReport[6];
    bl0 = ansReport[7];
    bl1 = ansReport[8];
    return answered;
}

void Hid_Thread::hid_8CH_GetKeyMatrix_1(uchar *src128)
{
    if (!beginGetCommand(0x8C, 0x00, 0x00, src128, 128))
        return;
    queryTransfer(128);
    std::copy_n(dataBuffer.begin(), 128, src128);
}

void Hid_Thread::hid_8DH_GetKeyMatrix_2(uchar *src128)
{
    if (!beginGetCommand(0x8D, 0x00, 0x00, src128, 128))
        return;
    queryTransfer(128);
    std::copy_n(dataBuffer.begin(), 128, src128);
}

void Hid_Thread::hid_90H_GetMacroKey(uchar macroId, uchar *src128)
{
    if (!beginGetCommand(0x90, macroId, 0x00, src128, 128))
        return;
    queryTransfer(128);
    std::copy_n(dataBuffer.begin(), 128, src128);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar colorIndex, uchar *src128)
{
    if (!beginGetCommand(0x92, index, colorIndex, src128, 128))
        return;
    queryTransfer(128);
    std::copy_n(dataBuffer.begin(), 128, src128);
}

void Hid_Thread::hid_A1H_GetCurrentProfile(uchar &profileId)
{
    if (!beginGetCommand(0xA1, 0x00, 0x00, nullptr, 0))
        return;
    queryTransfer(0);
    profileId = ansReport[2];
}

bool Hid_Thread::hid_B0H_GetSevenColor(uchar *src64)
{
    if (!beginGetCommand(0xB0, 0x00, 0x00, src64, 64))
        return false;
    const bool answered = queryTransfer(64);
    std::copy_n(dataBuffer.begin(), 64, src64);
    return answered;
}
