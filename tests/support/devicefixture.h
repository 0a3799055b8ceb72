#pragma once

#include "device/devicetable.h"
#include "device/hidthread.h"
#include "device/virtual/virtualkeyboard.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <array>

using Call = VirtualKeyboard::Call;

// A device object wired to a virtual keyboard of its own through the embedded device table,
// as the program connects to the real one.
struct DeviceFixture {
    VirtualKeyboard keyboard;
    Hid_Thread hid{keyboard};

    DeviceFixture()
    {
        rescan();
        keyboard.clearCalls();
    }
    ~DeviceFixture()
    {
        keyboard.setLatency(0);
        hid.stopWorker();
    }

    void rescan()
    {
        hid.updateDeviceList(readDeviceTable(QStringLiteral(":/DevInfo.ini"), {"R7"}));
    }

    // Set commands return before their transfer ends.
    bool settle()
    {
        return QTest::qWaitFor([this] { return hid.isTransportIdle(); }, 5000);
    }

    QList<Call> calls(const QSet<Call::Kind> &kinds) const
    {
        QList<Call> picked;
        for (const Call &call : keyboard.calls())
            if (kinds.contains(call.kind))
                picked.append(call);
        return picked;
    }

    // What reached the keyboard's command interface: feature reports and output reports.
    QList<QByteArray> traffic() const
    {
        QList<QByteArray> sent;
        for (const Call &call : calls({Call::SendFeatureReport, Call::Write}))
            sent.append(call.data);
        return sent;
    }

    int deviceCalls() const
    {
        int count = 0;
        for (const Call &call : keyboard.calls())
            if (call.kind != Call::Enumerate)
                ++count;
        return count;
    }
};

// The commands the device object reports as not taken, as the GUI thread receives them.
struct FailureLog : QObject {
    QList<uchar> codes;
    explicit FailureLog(Hid_Thread &hid)
    {
        connect(
            &hid, &Hid_Thread::commandFailed, this, [this](uchar code) { codes.append(code); },
            Qt::QueuedConnection);
    }
};

// What the worker told, as the GUI thread receives it. (A QSignalSpy would record on the
// worker's thread while the test reads on its own.)
struct WorkerLog : QObject {
    QList<QVariantList> ledStates;
    int removals = 0;
    explicit WorkerLog(Hid_Thread &hid)
    {
        connect(
            &hid, &Hid_Thread::ledStateReceived, this,
            [this](const QVariantList &ledType) { ledStates.append(ledType); },
            Qt::QueuedConnection);
        connect(
            &hid, &Hid_Thread::deviceRemoved, this, [this] { ++removals; }, Qt::QueuedConnection);
    }
};

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// 128 distinct bytes, so a block that arrives shifted or cut shows.
inline std::array<uchar, 128> pattern(uchar seed)
{
    std::array<uchar, 128> bytes{};
    for (int i = 0; i < 128; ++i)
        bytes[size_t(i)] = uchar(seed + i * 7);
    return bytes;
}

inline QByteArray asBytes(const uchar *data, int n)
{
    return QByteArray(reinterpret_cast<const char *>(data), n);
}

// The keyboard's state after a few settings were written to it, so every answer differs from
// the request and from the caller's own values.
inline VirtualFirmware configuredFirmware()
{
    VirtualFirmware firmware;
    firmware.keyboardOption = {0x01, 0x5A, 0xC3};
    firmware.buttonSensitivity = 7;
    firmware.currentProfile = 2;
    auto &profile = firmware.profiles[2];
    profile.ledType = {0x05, 45, 3, 1, 6, 0x41, 0x9A};
    const auto low = pattern(0x10);
    const auto high = pattern(0x90);
    profile.keyMatrix = asBytes(low.data(), 128) + asBytes(high.data(), 128);
    const auto colors = pattern(0x40);
    profile.sevenColor = asBytes(colors.data(), 64);
    const auto plane = pattern(0x22);
    profile.pictures.insert(2 * 4 + 3, asBytes(plane.data(), 128));
    const auto macro = pattern(0x66);
    firmware.macros.insert(9, asBytes(macro.data(), 128));
    return firmware;
}

// One output report as the keyboard receives it: report ID 0 and 64 bytes of payload.
inline QByteArray dataReport(const QByteArray &payload)
{
    return QByteArray(1, '\0') + payload.leftJustified(64, '\0');
}
