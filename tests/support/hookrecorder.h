#pragma once

#include <QList>
#include <QTest>

#include <cstdint>
#include <utility>

// What the input hook reported, as the tests compare it.
struct KeyReport {
    int usage;
    bool down;
    bool operator==(const KeyReport &other) const
    {
        return usage == other.usage && down == other.down;
    }
};

struct MouseReport {
    int code;
    bool down;
    std::int32_t x;
    std::int32_t y;
    bool operator==(const MouseReport &other) const
    {
        return code == other.code && down == other.down && x == other.x && y == other.y;
    }
};

inline char *toString(const KeyReport &report)
{
    return QTest::toString(QStringLiteral("(0x%1, %2)")
                               .arg(report.usage, 2, 16, QLatin1Char('0'))
                               .arg(report.down ? "down" : "up"));
}

inline char *toString(const MouseReport &report)
{
    return QTest::toString(QStringLiteral("(0x%1, %2, %3, %4)")
                               .arg(report.code, 2, 16, QLatin1Char('0'))
                               .arg(report.down ? "down" : "up")
                               .arg(report.x)
                               .arg(report.y));
}

// Registered as both callbacks with itself as user data; keeps every report in order.
struct HookRecorder {
    QList<KeyReport> keys;
    QList<MouseReport> buttons;
    void *seenUserData = nullptr;

    static void onKey(std::uint8_t usage, bool isDown, void *userData)
    {
        auto *self = static_cast<HookRecorder *>(userData);
        self->seenUserData = userData;
        self->keys.append({usage, isDown});
    }
    static void onMouse(std::uint8_t code, bool isDown, std::int32_t x, std::int32_t y,
                        void *userData)
    {
        static_cast<HookRecorder *>(userData)->buttons.append({code, isDown, x, y});
    }
};

// (code, down) of each key and button report, for tests that do not look at positions.
struct PressRecorder {
    using Press = std::pair<int, bool>;
    QList<Press> keys;
    QList<Press> buttons;

    static void onKey(std::uint8_t usage, bool down, void *self)
    {
        static_cast<PressRecorder *>(self)->keys.append({usage, down});
    }
    static void onMouse(std::uint8_t code, bool down, std::int32_t, std::int32_t, void *self)
    {
        static_cast<PressRecorder *>(self)->buttons.append({code, down});
    }
};
