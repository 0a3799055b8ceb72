#include "device/virtual/virtualfirmware.h"

#include "device/factorykeymatrix.h"
#include "device/ispunlock.h"

namespace
{
// The default code of every matrix position, low byte first, as the key matrix travels.
QByteArray factoryMatrixBytes()
{
    QByteArray matrix(256, '\0');
    for (int i = 0; i < 128; ++i) {
        matrix[2 * i] = char(factoryKeyMatrix[size_t(i)] & 0xFF);
        matrix[2 * i + 1] = char(factoryKeyMatrix[size_t(i)] >> 8);
    }
    return matrix;
}

QByteArray factorySevenColor()
{
    // Red, green, yellow, blue, cyan, magenta, white at full level (63 on the wire).
    const quint8 rgb[21] = {63, 0, 0,  0,  63, 0, 63, 63, 0,  0, 0,
                            63, 0, 63, 63, 63, 0, 63, 63, 63, 63};
    QByteArray colors(64, '\0');
    for (int i = 0; i < 21; ++i)
        colors[i] = char(rgb[i]);
    return colors;
}

quint8 byteAt(const QByteArray &bytes, int i)
{
    return i < bytes.size() ? quint8(bytes.at(i)) : 0;
}
} // namespace

VirtualFirmware::VirtualFirmware()
{
    restoreFactoryState();
}

void VirtualFirmware::restoreFactoryState()
{
    keyboardOption = {0x00, 0x00, 0x00};
    buttonSensitivity = 2;
    currentProfile = 0;
    profiles.clear();
    for (int p = 0; p < profileCount; ++p) {
        Profile profile;
        // A rainbow wave at full brightness; the backlight zone breathing through all colours.
        profile.ledType = {0x02, 63, 4, 0, 7, quint8(7 << 5 | 1), quint8(7 << 3 | 4)};
        profile.sevenColor = factorySevenColor();
        profile.keyMatrix = factoryMatrixBytes();
        profiles.append(profile);
    }
    macros.clear();
}

QByteArray VirtualFirmware::block(const QHash<int, QByteArray> &store, int key)
{
    return store.value(key, QByteArray(128, '\0'));
}

int VirtualFirmware::receiveCommand(const QByteArray &command)
{
    pendingCommand = command.leftJustified(8, '\0', true);
    pendingAnswer = pendingCommand;
    pendingData.clear();
    received.clear();
    expected = 0;

    const quint8 code = byteAt(pendingCommand, 0);
    const quint8 p1 = byteAt(pendingCommand, 1);
    const quint8 p2 = byteAt(pendingCommand, 2);
    const quint8 p3 = byteAt(pendingCommand, 3);
    auto answerBytes = [this](std::initializer_list<quint8> values) {
        int i = 1;
        for (quint8 v : values)
            pendingAnswer[i++] = char(v);
    };

    switch (code) {
    case 0x02:
        keyboardOption = {p1, p2, p3};
        break;
    case 0x04:
        buttonSensitivity = p1;
        break;
    case 0x08:
        for (int i = 0; i < 7; ++i)
            current().ledType[size_t(i)] = byteAt(pendingCommand, i + 1);
        break;
    case 0x0C:
    case 0x0D:
    case 0x10:
    case 0x12:
        expected = 128;
        break;
    case 0x0F:
        bootLoader = pendingCommand.mid(1, 7) ==
                     QByteArray(reinterpret_cast<const char *>(ispUnlockSequence.data()), 7);
        break;
    case 0x13:
        if (p1 == 0xFF && p2 == 0x1F)
            restoreFactoryState();
        break;
    case 0x21:
        if (p1 < profileCount)
            currentProfile = p1;
        break;
    case 0x30:
        expected = 64;
        break;
    case 0x80:
        answerBytes({quint8(identity.version >> 8), quint8(identity.version), identity.modeByte,
                     0x00, 0x00, identity.code0, identity.code1});
        break;
    case 0x82:
        answerBytes({keyboardOption[0], keyboardOption[1], keyboardOption[2]});
        break;
    case 0x84:
        answerBytes({buttonSensitivity});
        break;
    case 0x88: {
        const auto &led = current().ledType;
        answerBytes({led[0], led[1], led[2], led[3], led[4], led[5], led[6]});
        break;
    }
    case 0x8C:
        pendingData = current().keyMatrix.left(128);
        break;
    case 0x8D:
        pendingData = current().keyMatrix.mid(128, 128);
        break;
    case 0x90:
        pendingData = block(macros, p2);
        break;
    case 0x92:
        pendingData = block(current().pictures, p2 * planeCount + p3);
        break;
    case 0xA1:
        answerBytes({currentProfile});
        break;
    case 0xB0:
        pendingData = current().sevenColor;
        break;
    default:
        // 09H (stop sending a macro) and unknown codes change nothing the program can read.
        break;
    }
    return expected;
}

void VirtualFirmware::receiveData(const QByteArray &chunk)
{
    if (expected == 0)
        return;
    received += chunk.left(expected - received.size());
    if (received.size() == expected) {
        apply(received);
        expected = 0;
        received.clear();
    }
}

void VirtualFirmware::apply(const QByteArray &data)
{
    const quint8 code = byteAt(pendingCommand, 0);
    const quint8 p2 = byteAt(pendingCommand, 2);
    const quint8 p3 = byteAt(pendingCommand, 3);
    switch (code) {
    case 0x0C:
        current().keyMatrix.replace(0, 128, data);
        break;
    case 0x0D:
        current().keyMatrix.replace(128, 128, data);
        break;
    case 0x10:
        macros.insert(p2, data);
        break;
    case 0x12:
        if (p3 < planeCount)
            current().pictures.insert(p2 * planeCount + p3, data);
        break;
    case 0x30:
        current().sevenColor = data;
        break;
    default:
        break;
    }
}
