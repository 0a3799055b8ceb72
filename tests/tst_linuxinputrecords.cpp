#include "capture/inputhook.h"
#include "capture/keyrecord_linux.h"
#include "capture/mousemessage_linux.h"
#include "hookrecorder.h"

#include <QList>
#include <QTest>

#include <linux/input-event-codes.h>

#include <utility>

namespace
{

using Report = PressRecorder::Press;

// Feeds Linux key events through the record builder into the hook, as the X11 and evdev
// sources do.
QList<Report> reportsFor(const QList<std::pair<unsigned, bool>> &events, bool ukLayout)
{
    InputHook hook(ukLayout, nullptr);
    PressRecorder recorder;
    hook.setKeyCallback(&PressRecorder::onKey, &recorder);
    KeyRecordBuilder builder;
    for (const auto &[code, down] : events) {
        const KeyRecord record = builder.record(code, down);
        hook.keyboardProcedure(0, record.message, record.scanCode, record.flags);
    }
    return recorder.keys;
}

QList<Report> buttonReportsFor(std::uint32_t message)
{
    InputHook hook(false, nullptr);
    PressRecorder recorder;
    hook.setMouseCallback(&PressRecorder::onMouse, &recorder);
    if (message != 0)
        hook.mouseProcedure(message, 0, 0);
    return recorder.buttons;
}

} // namespace

class TestLinuxInputRecords : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyOfAFullSizeKeyboard_data();
    void everyKeyOfAFullSizeKeyboard();
    void altFlagFollowsBothAltKeys_data();
    void altFlagFollowsBothAltKeys();
    void altPrintScreenIsPrintScreen();
    void x11Buttons_data();
    void x11Buttons();
    void evdevButtons_data();
    void evdevButtons();
};

void TestLinuxInputRecords::everyKeyOfAFullSizeKeyboard_data()
{
    QTest::addColumn<unsigned>("linuxCode");
    QTest::addColumn<bool>("ukLayout");
    QTest::addColumn<int>("usage");

    // USB HID keyboard page usages of the keys of a 104-key (ANSI) and 105-key (ISO) keyboard.
    const struct {
        const char *name;
        unsigned code;
        int usage;
    } keys[] = {
        {"Esc", KEY_ESC, 0x29},
        {"1", KEY_1, 0x1E},
        {"2", KEY_2, 0x1F},
        {"3", KEY_3, 0x20},
        {"4", KEY_4, 0x21},
        {"5", KEY_5, 0x22},
        {"6", KEY_6, 0x23},
        {"7", KEY_7, 0x24},
        {"8", KEY_8, 0x25},
        {"9", KEY_9, 0x26},
        {"0", KEY_0, 0x27},
        {"-", KEY_MINUS, 0x2D},
        {"=", KEY_EQUAL, 0x2E},
        {"Backspace", KEY_BACKSPACE, 0x2A},
        {"Tab", KEY_TAB, 0x2B},
        {"Q", KEY_Q, 0x14},
        {"W", KEY_W, 0x1A},
        {"E", KEY_E, 0x08},
        {"R", KEY_R, 0x15},
        {"T", KEY_T, 0x17},
        {"Y", KEY_Y, 0x1C},
        {"U", KEY_U, 0x18},
        {"I", KEY_I, 0x0C},
        {"O", KEY_O, 0x12},
        {"P", KEY_P, 0x13},
        {"[", KEY_LEFTBRACE, 0x2F},
        {"]", KEY_RIGHTBRACE, 0x30},
        {"Enter", KEY_ENTER, 0x28},
        {"left Ctrl", KEY_LEFTCTRL, 0xE0},
        {"A", KEY_A, 0x04},
        {"S", KEY_S, 0x16},
        {"D", KEY_D, 0x07},
        {"F", KEY_F, 0x09},
        {"G", KEY_G, 0x0A},
        {"H", KEY_H, 0x0B},
        {"J", KEY_J, 0x0D},
        {"K", KEY_K, 0x0E},
        {"L", KEY_L, 0x0F},
        {";", KEY_SEMICOLON, 0x33},
        {"'", KEY_APOSTROPHE, 0x34},
        {"`", KEY_GRAVE, 0x35},
        {"left Shift", KEY_LEFTSHIFT, 0xE1},
        {"Z", KEY_Z, 0x1D},
        {"X", KEY_X, 0x1B},
        {"C", KEY_C, 0x06},
        {"V", KEY_V, 0x19},
        {"B", KEY_B, 0x05},
        {"N", KEY_N, 0x11},
        {"M", KEY_M, 0x10},
        {",", KEY_COMMA, 0x36},
        {".", KEY_DOT, 0x37},
        {"/", KEY_SLASH, 0x38},
        {"right Shift", KEY_RIGHTSHIFT, 0xE5},
        {"keypad *", KEY_KPASTERISK, 0x55},
        {"left Alt", KEY_LEFTALT, 0xE2},
        {"Space", KEY_SPACE, 0x2C},
        {"Caps Lock", KEY_CAPSLOCK, 0x39},
        {"F1", KEY_F1, 0x3A},
        {"F2", KEY_F2, 0x3B},
        {"F3", KEY_F3, 0x3C},
        {"F4", KEY_F4, 0x3D},
        {"F5", KEY_F5, 0x3E},
        {"F6", KEY_F6, 0x3F},
        {"F7", KEY_F7, 0x40},
        {"F8", KEY_F8, 0x41},
        {"F9", KEY_F9, 0x42},
        {"F10", KEY_F10, 0x43},
        {"F11", KEY_F11, 0x44},
        {"F12", KEY_F12, 0x45},
        {"Num Lock", KEY_NUMLOCK, 0x53},
        {"Scroll Lock", KEY_SCROLLLOCK, 0x47},
        {"keypad 7", KEY_KP7, 0x5F},
        {"keypad 8", KEY_KP8, 0x60},
        {"keypad 9", KEY_KP9, 0x61},
        {"keypad -", KEY_KPMINUS, 0x56},
        {"keypad 4", KEY_KP4, 0x5C},
        {"keypad 5", KEY_KP5, 0x5D},
        {"keypad 6", KEY_KP6, 0x5E},
        {"keypad +", KEY_KPPLUS, 0x57},
        {"keypad 1", KEY_KP1, 0x59},
        {"keypad 2", KEY_KP2, 0x5A},
        {"keypad 3", KEY_KP3, 0x5B},
        {"keypad 0", KEY_KP0, 0x62},
        {"keypad .", KEY_KPDOT, 0x63},
        {"ISO key left of Z", KEY_102ND, 0x64},
        {"keypad Enter", KEY_KPENTER, 0x58},
        {"right Ctrl", KEY_RIGHTCTRL, 0xE4},
        {"keypad /", KEY_KPSLASH, 0x54},
        {"Print Screen", KEY_SYSRQ, 0x46},
        {"right Alt", KEY_RIGHTALT, 0xE6},
        {"Home", KEY_HOME, 0x4A},
        {"Up", KEY_UP, 0x52},
        {"Page Up", KEY_PAGEUP, 0x4B},
        {"Left", KEY_LEFT, 0x50},
        {"Right", KEY_RIGHT, 0x4F},
        {"End", KEY_END, 0x4D},
        {"Down", KEY_DOWN, 0x51},
        {"Page Down", KEY_PAGEDOWN, 0x4E},
        {"Insert", KEY_INSERT, 0x49},
        {"Delete", KEY_DELETE, 0x4C},
        {"Pause", KEY_PAUSE, 0x48},
        {"left Windows", KEY_LEFTMETA, 0xE3},
        {"Menu", KEY_COMPOSE, 0x65},
        {"F23", KEY_F23, 0x72},
    };
    for (const auto &key : keys)
        QTest::newRow(key.name) << key.code << false << key.usage;

    // The key beside Enter: "\" on ANSI keyboards, "#" (non-US) on UK ones.
    QTest::newRow("\\ on an ANSI keyboard") << unsigned(KEY_BACKSLASH) << false << 0x31;
    QTest::newRow("# on a UK keyboard") << unsigned(KEY_BACKSLASH) << true << 0x32;
    // Deliberately silent: the tables leave out the right Windows key, and F13-F22 and F24.
    QTest::newRow("right Windows") << unsigned(KEY_RIGHTMETA) << false << 0;
    QTest::newRow("F13") << unsigned(KEY_F13) << false << 0;
    QTest::newRow("F24") << unsigned(KEY_F24) << false << 0;
    QTest::newRow("Mute, a media key") << unsigned(KEY_MUTE) << false << 0;
    QTest::newRow("reserved code 0") << unsigned(KEY_RESERVED) << false << 0;
}

void TestLinuxInputRecords::everyKeyOfAFullSizeKeyboard()
{
    QFETCH(unsigned, linuxCode);
    QFETCH(bool, ukLayout);
    QFETCH(int, usage);

    const QList<Report> expected =
        usage == 0 ? QList<Report>() : QList<Report>{{usage, true}, {usage, false}};
    QCOMPARE(reportsFor({{linuxCode, true}, {linuxCode, true}, {linuxCode, false}}, ukLayout),
             expected);
}

void TestLinuxInputRecords::altFlagFollowsBothAltKeys_data()
{
    QTest::addColumn<unsigned>("altKey");
    QTest::newRow("left Alt") << unsigned(KEY_LEFTALT);
    QTest::newRow("right Alt") << unsigned(KEY_RIGHTALT);
}

void TestLinuxInputRecords::altFlagFollowsBothAltKeys()
{
    QFETCH(unsigned, altKey);
    KeyRecordBuilder builder;

    const KeyRecord plain = builder.record(KEY_A, true);
    QCOMPARE(plain.message, InputHook::WmKeyDown);
    QCOMPARE(plain.flags & InputHook::LlkhfAltDown, 0u);

    const KeyRecord altItself = builder.record(altKey, true);
    QCOMPARE(altItself.message, InputHook::WmSysKeyDown);
    QCOMPARE(altItself.flags & InputHook::LlkhfAltDown, InputHook::LlkhfAltDown);

    const KeyRecord withAlt = builder.record(KEY_A, false);
    QCOMPARE(withAlt.message, InputHook::WmSysKeyUp);
    QCOMPARE(withAlt.flags, InputHook::LlkhfAltDown);
    QCOMPARE(withAlt.scanCode, 0x1Eu);

    builder.record(altKey, false);
    const KeyRecord afterAlt = builder.record(KEY_HOME, true);
    QCOMPARE(afterAlt.message, InputHook::WmKeyDown);
    QCOMPARE(afterAlt.flags, InputHook::LlkhfExtended);
    QCOMPARE(afterAlt.scanCode, 0x47u);
}

void TestLinuxInputRecords::altPrintScreenIsPrintScreen()
{
    const QList<Report> reports = reportsFor(
        {{KEY_LEFTALT, true}, {KEY_SYSRQ, true}, {KEY_SYSRQ, false}, {KEY_LEFTALT, false}}, false);
    QCOMPARE(reports, (QList<Report>{{0xE2, true}, {0x46, true}, {0x46, false}, {0xE2, false}}));
}

void TestLinuxInputRecords::x11Buttons_data()
{
    QTest::addColumn<unsigned>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << 1u << 0xF0;
    QTest::newRow("middle") << 2u << 0xF2;
    QTest::newRow("right") << 3u << 0xF1;
    QTest::newRow("wheel up") << 4u << 0;
    QTest::newRow("wheel down") << 5u << 0;
    QTest::newRow("wheel left") << 6u << 0;
    QTest::newRow("wheel right") << 7u << 0;
    QTest::newRow("back") << 8u << 0;
    QTest::newRow("forward") << 9u << 0;
}

void TestLinuxInputRecords::x11Buttons()
{
    QFETCH(unsigned, button);
    QFETCH(int, code);
    const QList<Report> expected =
        code == 0 ? QList<Report>() : QList<Report>{{code, true}, {code, false}};
    QCOMPARE(buttonReportsFor(mouseMessageForX11Button(button, true)) +
                 buttonReportsFor(mouseMessageForX11Button(button, false)),
             expected);
}

void TestLinuxInputRecords::evdevButtons_data()
{
    QTest::addColumn<unsigned>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << unsigned(BTN_LEFT) << 0xF0;
    QTest::newRow("right") << unsigned(BTN_RIGHT) << 0xF1;
    QTest::newRow("middle") << unsigned(BTN_MIDDLE) << 0xF2;
    QTest::newRow("side") << unsigned(BTN_SIDE) << 0;
    QTest::newRow("extra") << unsigned(BTN_EXTRA) << 0;
    QTest::newRow("a key") << unsigned(KEY_A) << 0;
}

void TestLinuxInputRecords::evdevButtons()
{
    QFETCH(unsigned, button);
    QFETCH(int, code);
    const QList<Report> expected =
        code == 0 ? QList<Report>() : QList<Report>{{code, true}, {code, false}};
    QCOMPARE(buttonReportsFor(mouseMessageForEvdevButton(button, true)) +
                 buttonReportsFor(mouseMessageForEvdevButton(button, false)),
             expected);
}

QTEST_GUILESS_MAIN(TestLinuxInputRecords)
#include "tst_linuxinputrecords.moc"
