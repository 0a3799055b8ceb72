#pragma once

#include <QByteArray>
#include <QHash>
#include <QVector>

#include <array>

// The firmware of the virtual keyboard: what a real R7 keeps in its flash and how it answers
// each command. It knows nothing of HID; VirtualKeyboard feeds it the 8-byte command reports
// and the data chunks and carries its answers back. Not thread-safe: its owner serialises use.
class VirtualFirmware
{
public:
    static constexpr int profileCount = 5;
    static constexpr int pictureCount = 5;
    static constexpr int planeCount = 4;

    struct Identity {
        quint16 version = 0x0102;
        quint8 modeByte = 0x02; // bits 1-2: the layout the keyboard reports
        quint8 code0 = 0x11;
        quint8 code1 = 0x01;
    };

    struct Profile {
        std::array<quint8, 7> ledType{}; // type, brightness, speed, direction, color, bl0, bl1
        QByteArray sevenColor;           // 64 bytes, the first 21 are seven RGB triplets (0-63)
        QByteArray keyMatrix;            // 256 bytes, low byte first per matrix position
        QHash<int, QByteArray> pictures; // key: index * planeCount + plane, 128 bytes each
    };

    VirtualFirmware();

    // A command report arrives (bytes 1-8 of the feature report, the command code first).
    // Returns how many data bytes the command expects to receive next (0, 64 or 128).
    int receiveCommand(const QByteArray &command);
    // The answer to the last command: 8 bytes, echo of the code in byte 0, values in 1-7.
    QByteArray answer() const { return pendingAnswer; }
    // The bytes the last get command sends back in data reports (empty for most commands).
    QByteArray queryData() const { return pendingData; }
    // One data chunk of a set command; the command takes effect once all its bytes are in.
    void receiveData(const QByteArray &chunk);
    // True once the boot-loader unlock arrived: the keyboard has left for its boot loader.
    bool inBootLoader() const { return bootLoader; }
    void leaveBootLoader() { bootLoader = false; }

    void restoreFactoryState();

    Identity identity;
    std::array<quint8, 3> keyboardOption{};
    quint8 buttonSensitivity = 0;
    quint8 currentProfile = 0;
    QVector<Profile> profiles;
    QHash<int, QByteArray> macros; // 128 bytes each, by macro id

private:
    void apply(const QByteArray &data);
    Profile &current() { return profiles[currentProfile]; }
    static QByteArray block(const QHash<int, QByteArray> &store, int key);

    QByteArray pendingCommand;
    QByteArray pendingAnswer;
    QByteArray pendingData;
    QByteArray received;
    int expected = 0;
    bool bootLoader = false;
};
