#include "capture/inputhook.h"
#include "capture/x11inputsource_linux.h"
#include "hookrecorder.h"
#include "xvfbserver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <linux/input-event-codes.h>

#include <memory>

namespace
{

// F12 closes every injected sequence: once its release is reported, everything injected before
// it has been read, so a key that should report nothing is known to have reported nothing.
constexpr unsigned markerKey = KEY_F12;
constexpr int markerUsage = 0x45;
constexpr int xKeyCodeOffset = 8;

} // namespace

Q_DECLARE_METATYPE(QList<KeyReport>)

// The hook against a real X server: keys and clicks injected with XTest, as a user's would
// arrive, must reach the callbacks with the right codes and still reach the focused window.
class TestInputHookX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void keys_data();
    void keys();
    void focusedWindowStillGetsTheKey();
    void buttons_data();
    void buttons();
    void clickStillReachesTheWindow();
    void removedHooksReportNothing();
    void noDisplay();

private:
    void key(unsigned linuxCode, bool down);
    void tap(unsigned linuxCode);
    void moveTo(const QPoint &position);
    void button(unsigned number, bool down);
    // Sends the marker key and waits for its reports, then takes them off again.
    void flushKeys();

    Display *injector = nullptr;
    std::unique_ptr<InputHook> hook;
    HookRecorder recorder;
    std::unique_ptr<QWidget> window;
    QLineEdit *edit = nullptr;
    QPushButton *push = nullptr;
};

void TestInputHookX11::initTestCase()
{
    injector = XOpenDisplay(nullptr);
    QVERIFY(injector);
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    QVERIFY(XTestQueryExtension(injector, &event, &error, &major, &minor));

    hook = std::make_unique<InputHook>(false);
    hook->setKeyCallback(&HookRecorder::onKey, &recorder);
    hook->setMouseCallback(&HookRecorder::onMouse, &recorder);

    window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    edit = new QLineEdit;
    push = new QPushButton(QStringLiteral("Push"));
    layout->addWidget(edit);
    layout->addWidget(push);
    window->setGeometry(100, 100, 300, 120);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
}

void TestInputHookX11::cleanupTestCase()
{
    window.reset();
    hook.reset();
    if (injector)
        XCloseDisplay(injector);
}

void TestInputHookX11::init()
{
    recorder.keys.clear();
    recorder.buttons.clear();
}

void TestInputHookX11::key(unsigned linuxCode, bool down)
{
    XTestFakeKeyEvent(injector, linuxCode + xKeyCodeOffset, down ? True : False, CurrentTime);
    XFlush(injector);
}

void TestInputHookX11::tap(unsigned linuxCode)
{
    key(linuxCode, true);
    key(linuxCode, false);
}

void TestInputHookX11::moveTo(const QPoint &position)
{
    XTestFakeMotionEvent(injector, -1, position.x(), position.y(), CurrentTime);
    XFlush(injector);
}

void TestInputHookX11::button(unsigned number, bool down)
{
    XTestFakeButtonEvent(injector, number, down ? True : False, CurrentTime);
    XFlush(injector);
}

void TestInputHookX11::flushKeys()
{
    tap(markerKey);
    QTRY_VERIFY(recorder.keys.size() >= 2 &&
                recorder.keys.last() == (KeyReport{markerUsage, false}));
    QCOMPARE(recorder.keys.takeLast(), (KeyReport{markerUsage, false}));
    QCOMPARE(recorder.keys.takeLast(), (KeyReport{markerUsage, true}));
}

void TestInputHookX11::keys_data()
{
    QTest::addColumn<QList<unsigned>>("held");
    QTest::addColumn<QList<KeyReport>>("reports");

    auto pressed = [](int usage) { return QList<KeyReport>{{usage, true}, {usage, false}}; };
    QTest::newRow("A") << QList<unsigned>{KEY_A} << pressed(0x04);
    QTest::newRow("Enter") << QList<unsigned>{KEY_ENTER} << pressed(0x28);
    QTest::newRow("keypad Enter") << QList<unsigned>{KEY_KPENTER} << pressed(0x58);
    QTest::newRow("left Ctrl") << QList<unsigned>{KEY_LEFTCTRL} << pressed(0xE0);
    QTest::newRow("right Ctrl") << QList<unsigned>{KEY_RIGHTCTRL} << pressed(0xE4);
    QTest::newRow("up arrow") << QList<unsigned>{KEY_UP} << pressed(0x52);
    QTest::newRow("keypad 8") << QList<unsigned>{KEY_KP8} << pressed(0x60);
    QTest::newRow("right Windows reports nothing")
        << QList<unsigned>{KEY_RIGHTMETA} << QList<KeyReport>();
    QTest::newRow("Print Screen") << QList<unsigned>{KEY_SYSRQ} << pressed(0x46);
    QTest::newRow("Alt+Print Screen")
        << QList<unsigned>{KEY_LEFTALT, KEY_SYSRQ}
        << QList<KeyReport>{{0xE2, true}, {0x46, true}, {0x46, false}, {0xE2, false}};
    QTest::newRow("Pause") << QList<unsigned>{KEY_PAUSE} << pressed(0x48);
    QTest::newRow("Ctrl+Pause") << QList<unsigned>{KEY_LEFTCTRL, KEY_PAUSE}
                                << QList<KeyReport>{
                                       {0xE0, true}, {0x48, true}, {0x48, false}, {0xE0, false}};
}

void TestInputHookX11::keys()
{
    QFETCH(QList<unsigned>, held);
    QFETCH(QList<KeyReport>, reports);

    for (unsigned code : held)
        key(code, true);
    for (auto it = held.crbegin(); it != held.crend(); ++it)
        key(*it, false);
    flushKeys();
    QCOMPARE(recorder.keys, reports);
}

void TestInputHookX11::focusedWindowStillGetsTheKey()
{
    edit->clear();
    tap(KEY_R);
    tap(KEY_7);
    // The window and the hook read separate connections, in no fixed order: wait for both.
    QTRY_COMPARE(edit->text(), QStringLiteral("r7"));
    QTRY_COMPARE(recorder.keys,
                 (QList<KeyReport>{{0x15, true}, {0x15, false}, {0x24, true}, {0x24, false}}));
}

void TestInputHookX11::buttons_data()
{
    QTest::addColumn<unsigned>("number");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << 1u << 0xF0;
    QTest::newRow("middle") << 2u << 0xF2;
    QTest::newRow("right") << 3u << 0xF1;
    QTest::newRow("wheel") << 4u << 0;
    QTest::newRow("back") << 8u << 0;
}

void TestInputHookX11::buttons()
{
    QFETCH(unsigned, number);
    QFETCH(int, code);

    const QPoint position(640, 700);
    moveTo(position);
    button(number, true);
    button(number, false);
    // A middle click after it: once that is reported, so would the button under test have been.
    button(2, true);
    button(2, false);
    QTRY_VERIFY(!recorder.buttons.isEmpty() &&
                recorder.buttons.last() == (MouseReport{0xF2, false, 640, 700}));
    recorder.buttons.removeLast();
    recorder.buttons.removeLast();

    const QList<MouseReport> expected =
        code == 0 ? QList<MouseReport>()
                  : QList<MouseReport>{{code, true, position.x(), position.y()},
                                       {code, false, position.x(), position.y()}};
    QCOMPARE(recorder.buttons, expected);
}

void TestInputHookX11::clickStillReachesTheWindow()
{
    QSignalSpy clicked(push, &QPushButton::clicked);
    const QPoint centre = push->mapToGlobal(push->rect().center());
    moveTo(centre);
    button(1, true);
    button(1, false);
    QTRY_COMPARE(clicked.count(), 1);
    QTRY_COMPARE(recorder.buttons, (QList<MouseReport>{{0xF0, true, centre.x(), centre.y()},
                                                       {0xF0, false, centre.x(), centre.y()}}));
}

void TestInputHookX11::removedHooksReportNothing()
{
    edit->setFocus();
    edit->clear();
    hook->removeHooks();
    tap(KEY_B);
    moveTo(edit->mapToGlobal(edit->rect().center()));
    button(1, true);
    button(1, false);
    QTRY_COMPARE(edit->text(), QStringLiteral("b"));
    QCoreApplication::processEvents();
    QVERIFY(recorder.keys.isEmpty());
    QVERIFY(recorder.buttons.isEmpty());

    QVERIFY(hook->installHooks());
    tap(KEY_B);
    flushKeys();
    QCOMPARE(recorder.keys, (QList<KeyReport>{{0x05, true}, {0x05, false}}));
}

void TestInputHookX11::noDisplay()
{
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":4077");
    InputHook owner(false, nullptr);
    X11InputSource source(owner);
    const bool opened = source.open();
    qputenv("DISPLAY", display);
    QVERIFY(!opened);
}

int main(int argc, char *argv[])
{
    XvfbServer xvfb;
    if (!xvfb.startForThisProcess())
        return 1;
    QApplication app(argc, argv);
    TestInputHookX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_inputhookx11.moc"
