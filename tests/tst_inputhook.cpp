#include "capture/hookbackend.h"
#include "capture/inputhook.h"
#include "hookrecorder.h"

#include <QList>
#include <QTest>

#include <cstdint>

namespace
{

struct Record {
    int hookCode;
    std::uint32_t message;
    std::uint32_t scanCode;
    std::uint32_t flags;
};

constexpr std::uint32_t ext = InputHook::LlkhfExtended;
constexpr std::uint32_t alt = InputHook::LlkhfAltDown;

Record down(std::uint32_t scan, std::uint32_t flags = 0)
{
    return {0, (flags & alt) ? InputHook::WmSysKeyDown : InputHook::WmKeyDown, scan, flags};
}

Record up(std::uint32_t scan, std::uint32_t flags = 0)
{
    return {0, (flags & alt) ? InputHook::WmSysKeyUp : InputHook::WmKeyUp, scan, flags};
}

// A key pressed and released.
QList<Record> tap(std::uint32_t scan, std::uint32_t flags = 0)
{
    return {down(scan, flags), up(scan, flags)};
}

QList<KeyReport> pressed(int usage)
{
    return {{usage, true}, {usage, false}};
}

// Counts what the hook asks of its event source.
class FakeBackend final : public HookBackend
{
public:
    FakeBackend(QStringList &calls, bool works) : log(calls), succeeds(works) {}
    bool install() override
    {
        log << QStringLiteral("install");
        active = succeeds;
        return succeeds;
    }
    void remove() override
    {
        log << QStringLiteral("remove");
        active = false;
    }
    bool installed() const override { return active; }

private:
    QStringList &log;
    bool succeeds;
    bool active = false;
};

} // namespace

Q_DECLARE_METATYPE(QList<Record>)
Q_DECLARE_METATYPE(QList<KeyReport>)
Q_DECLARE_METATYPE(MouseReport)

class TestInputHook : public QObject
{
    Q_OBJECT

private slots:
    void keyboardReportsChangesOnly_data();
    void keyboardReportsChangesOnly();
    void stateIsKeptWithoutCallback();
    void mouseMessages_data();
    void mouseMessages();
    void mouseWithoutCallback();
    void installAndRemove();
    void failedInstall();
};

void TestInputHook::keyboardReportsChangesOnly_data()
{
    QTest::addColumn<bool>("ukLayout");
    QTest::addColumn<QList<Record>>("records");
    QTest::addColumn<QList<KeyReport>>("reports");

    QList<Record> heldA(40, down(0x1E));
    heldA << up(0x1E);
    QTest::newRow("A held with auto-repeat, then released") << false << heldA << pressed(0x04);
    QTest::newRow("Enter") << false << tap(0x1C) << pressed(0x28);
    QTest::newRow("keypad Enter") << false << tap(0x1C, ext) << pressed(0x58);
    QTest::newRow("left Ctrl") << false << tap(0x1D) << pressed(0xE0);
    QTest::newRow("right Ctrl") << false << tap(0x1D, ext) << pressed(0xE4);
    QTest::newRow("left Windows") << false << tap(0x5B, ext) << pressed(0xE3);
    QTest::newRow("right Windows reports nothing") << false << tap(0x5C, ext) << QList<KeyReport>();
    QTest::newRow("right Shift") << false << tap(0x36, ext) << pressed(0xE5);
    QTest::newRow("Print Screen") << false << tap(0x37, ext) << pressed(0x46);
    QTest::newRow("Alt+Print Screen")
        << false << QList<Record>{down(0x38, alt), down(0x54, alt), up(0x54, alt), up(0x38)}
        << QList<KeyReport>{{0xE2, true}, {0x46, true}, {0x46, false}, {0xE2, false}};
    QTest::newRow("SysRq without Alt reports nothing") << false << tap(0x54) << QList<KeyReport>();
    QTest::newRow("Pause") << false << tap(0x45) << pressed(0x48);
    QTest::newRow("Ctrl+Break")
        << false << QList<Record>{down(0x1D), down(0x46, ext), up(0x46, ext), up(0x1D)}
        << QList<KeyReport>{{0xE0, true}, {0x48, true}, {0x48, false}, {0xE0, false}};
    QTest::newRow("Scroll Lock is not Break") << false << tap(0x46) << pressed(0x47);
    QTest::newRow("Num Lock") << false << tap(0x45, ext) << pressed(0x53);
    QTest::newRow("keypad 7 and Home")
        << false << (tap(0x47) + tap(0x47, ext)) << (pressed(0x5F) + pressed(0x4A));
    QTest::newRow("keypad / and /")
        << false << (tap(0x35, ext) + tap(0x35)) << (pressed(0x54) + pressed(0x38));
    QTest::newRow("F23") << false << tap(0x6E) << pressed(0x72);
    QTest::newRow("ISO key left of Z") << false << tap(0x56) << pressed(0x64);
    QTest::newRow("VK_OEM_5, ANSI layout") << false << tap(0x2B) << pressed(0x31);
    QTest::newRow("VK_OEM_5, UK layout") << true << tap(0x2B) << pressed(0x32);
    QTest::newRow("F10 with Alt: system messages count as key messages")
        << false << tap(0x44, alt) << pressed(0x43);
    QTest::newRow("release of a key never pressed")
        << false << QList<Record>{up(0x1E)} << QList<KeyReport>();
    QTest::newRow("scan code above one byte")
        << false << QList<Record>{down(0x11E), down(0x11C, ext)} << QList<KeyReport>();
    QTest::newRow("a record with a hook code other than 0 is a release")
        << false
        << QList<Record>{down(0x1E),
                         {1, InputHook::WmKeyDown, 0x1E, 0},
                         {1, InputHook::WmKeyDown, 0x1E, 0}}
        << pressed(0x04);
    QTest::newRow("two keys overlapping")
        << false << QList<Record>{down(0x2A), down(0x1E), down(0x1E), up(0x2A), up(0x1E)}
        << QList<KeyReport>{{0xE1, true}, {0x04, true}, {0xE1, false}, {0x04, false}};
}

void TestInputHook::keyboardReportsChangesOnly()
{
    QFETCH(bool, ukLayout);
    QFETCH(QList<Record>, records);
    QFETCH(QList<KeyReport>, reports);

    InputHook hook(ukLayout, nullptr);
    HookRecorder recorder;
    hook.setKeyCallback(&HookRecorder::onKey, &recorder);
    for (const Record &record : records)
        hook.keyboardProcedure(record.hookCode, record.message, record.scanCode, record.flags);

    QCOMPARE(recorder.keys, reports);
    if (!reports.isEmpty())
        QCOMPARE(recorder.seenUserData, &recorder);
}

void TestInputHook::stateIsKeptWithoutCallback()
{
    InputHook hook(false, nullptr);
    hook.keyboardProcedure(0, InputHook::WmKeyDown, 0x1E, 0);

    HookRecorder recorder;
    hook.setKeyCallback(&HookRecorder::onKey, &recorder);
    hook.keyboardProcedure(0, InputHook::WmKeyDown, 0x1E, 0);
    hook.keyboardProcedure(0, InputHook::WmKeyUp, 0x1E, 0);

    QCOMPARE(recorder.keys, (QList<KeyReport>{{0x04, false}}));
}

void TestInputHook::mouseMessages_data()
{
    QTest::addColumn<std::uint32_t>("message");
    QTest::addColumn<std::int32_t>("x");
    QTest::addColumn<std::int32_t>("y");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("down");

    QTest::newRow("left down") << 0x0201u << 10 << 20 << 0xF0 << true;
    QTest::newRow("left up") << 0x0202u << 11 << 21 << 0xF0 << false;
    QTest::newRow("left double click") << 0x0203u << 0 << 0 << 0 << false;
    QTest::newRow("right down") << 0x0204u << 1919 << 1079 << 0xF1 << true;
    QTest::newRow("right up") << 0x0205u << 0 << 0 << 0xF1 << false;
    QTest::newRow("right double click") << 0x0206u << 0 << 0 << 0 << false;
    QTest::newRow("middle down, left of the primary screen")
        << 0x0207u << -1280 << -5 << 0xF2 << true;
    QTest::newRow("middle up") << 0x0208u << 3 << 4 << 0xF2 << false;
    QTest::newRow("move") << 0x0200u << 3 << 4 << 0 << false;
    QTest::newRow("middle double click") << 0x0209u << 3 << 4 << 0 << false;
    QTest::newRow("wheel") << 0x020Au << 3 << 4 << 0 << false;
    QTest::newRow("side button down") << 0x020Bu << 3 << 4 << 0 << false;
    QTest::newRow("side button up") << 0x020Cu << 3 << 4 << 0 << false;
    QTest::newRow("horizontal wheel") << 0x020Eu << 3 << 4 << 0 << false;
}

void TestInputHook::mouseMessages()
{
    QFETCH(std::uint32_t, message);
    QFETCH(std::int32_t, x);
    QFETCH(std::int32_t, y);
    QFETCH(int, code);
    QFETCH(bool, down);

    InputHook hook(false, nullptr);
    HookRecorder recorder;
    hook.setMouseCallback(&HookRecorder::onMouse, &recorder);
    // No state memory: the same message twice is reported twice.
    hook.mouseProcedure(message, x, y);
    hook.mouseProcedure(message, x, y);

    const QList<MouseReport> expected =
        code == 0 ? QList<MouseReport>() : QList<MouseReport>(2, MouseReport{code, down, x, y});
    QCOMPARE(recorder.buttons, expected);
}

void TestInputHook::mouseWithoutCallback()
{
    InputHook hook(false, nullptr);
    hook.mouseProcedure(InputHook::WmLButtonDown, 1, 2);
    HookRecorder recorder;
    hook.setMouseCallback(&HookRecorder::onMouse, &recorder);
    hook.mouseProcedure(InputHook::WmLButtonUp, 1, 2);
    QCOMPARE(recorder.buttons, (QList<MouseReport>{{0xF0, false, 1, 2}}));
}

void TestInputHook::installAndRemove()
{
    QStringList calls;
    {
        InputHook hook(false, std::make_unique<FakeBackend>(calls, true));
        QCOMPARE(calls, QStringList{"install"});
        // Installing again first removes what is there.
        QVERIFY(hook.installHooks());
        QCOMPARE(calls, (QStringList{"install", "remove", "install"}));
        hook.removeHooks();
        QVERIFY(hook.installHooks());
        QCOMPARE(calls, (QStringList{"install", "remove", "install", "remove", "install"}));
        calls.clear();
    }
    // Hooks never outlive the object their procedures report to.
    QCOMPARE(calls, QStringList{"remove"});
}

void TestInputHook::failedInstall()
{
    QStringList calls;
    InputHook hook(false, std::make_unique<FakeBackend>(calls, false));
    QVERIFY(!hook.installHooks());
    QCOMPARE(calls, (QStringList{"install", "install"}));

    InputHook sourceless(false, nullptr);
    QVERIFY(!sourceless.installHooks());
}

QTEST_GUILESS_MAIN(TestInputHook)
#include "tst_inputhook.moc"
