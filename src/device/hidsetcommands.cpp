#include "device/devicelog.h"
#include "device/hidthread.h"
#include "device/ispunlock.h"

#include <algorithm>

namespace
{
constexpr uchar x55 = 0x55;
constexpr uchar xAA = 0xAA;
} // namespace

void Hid_Thread::setCommandReport(uchar code, const Bytes7 &bytes2to8)
{
    cmdReport[0] = 0x00;
    cmdReport[1] = code;
    std::copy(bytes2to8.begin(), bytes2to8.end(), cmdReport.begin() + 2);
}

void Hid_Thread::runSetCommand(uchar code, const Bytes7 &bytes2to8, const uchar *src, int n,
                               int pauseMs)
{
    if (!waitIdle()) {
        qCDebug(lcDevice, "cmd Failed %02X", code);
        if (keyboardPresent())
            Q_EMIT commandFailed(code);
        return;
    }
    setCommandReport(code, bytes2to8);
    if (n > 0)
        std::copy_n(src, n, dataBuffer.begin());
    // Nobody waits for the result: the transport flag tells the next command when it is done,
    // and a failure reaches the user through commandFailed. Taking the transport joined the
    // thread of the transfer before.
    setTransfer = std::thread([this, n] { updateTransfer(n); });
    if (pauseMs > 0)
        hidapi.pause(pauseMs);
}

void Hid_Thread::hid_02H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3)
{
    runSetCommand(0x02, {byte1, byte2, byte3, 0x00, x55, xAA, 0x00}, nullptr, 0, 8);
}

void Hid_Thread::hid_04H_SetButtonSensitivity(uchar sens1)
{
    runSetCommand(0x04, {sens1, 0x00, 0x00, 0x00, x55, xAA, 0x00}, nullptr, 0, 0);
}

void Hid_Thread::hid_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction,
                                    uchar color, uchar bl0, uchar bl1)
{
    runSetCommand(0x08, {type, brightness, speed, direction, color, bl0, bl1}, nullptr, 0, 0);
}

void Hid_Thread::hid_09H_StopMacroSending()
{
    runSetCommand(0x09, {0xAA, 0xCC, 0xEE, 0x00, x55, xAA, 0x00}, nullptr, 0, 0);
}

void Hid_Thread::hid_0CH_SetKeyMatrix_1(uchar *src128)
{
    runSetCommand(0x0C, {0x00, 0x00, 0x00, 0x00, x55, xAA, 0x00}, src128, 128, 8);
}

void Hid_Thread::hid_0DH_SetKeyMatrix_2(uchar *src128)
{
    runSetCommand(0x0D, {0x00, 0x00, 0x00, 0x00, x55, xAA, 0x00}, src128, 128, 8);
}

void Hid_Thread::hid_0FH_SetISPBootLoader()
{
    runSetCommand(0x0F, ispUnlockSequence, nullptr, 0, 0);
}

void Hid_Thread::hid_10H_SetMacroKey(uchar macroId, uchar *src128)
{
    runSetCommand(0x10, {0x00, macroId, 0x00, 0x00, x55, xAA, 0x00}, src128, 128, 8);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar colorIndex, uchar *src128)
{
    runSetCommand(0x12, {0x00, index, colorIndex, 0x00, x55, xAA, 0x00}, src128, 128, 8);
}

void Hid_Thread::hid_13H_SetRecoveryData()
{
    runSetCommand(0x13, {0xFF, 0x1F, 0x00, 0x00, x55, xAA, 0x00}, nullptr, 0, 0);
}

void Hid_Thread::hid_21H_SetCurrentProfile(uchar profileId)
{
    runSetCommand(0x21, {profileId, 0x00, 0x00, 0x00, x55, xAA, 0x00}, nullptr, 0, 0);
}

void Hid_Thread::hid_30H_SetSevenColor(uchar *src64)
{
    runSetCommand(0x30, {0x00, 0x00, 0x00, 0x00, x55, xAA, 0x00}, src64, 64, 50);
}
