#include "backend/firmwarecheck.h"

bool isAcceptedFirmware(ushort version, uchar code0, uchar code1)
{
    return version == 0x0804 || version == 0x0102 || (code0 == 0x11 && code1 == 0x01);
}
