#include "app/inputcallbacks.h"
#include "app/uicontroler.h"
#include "app/widget.h"
#include "capture/inputhook.h"
#include "qmlcallrecorder.h"
#include "testworkspace.h"
#include "xvfbserver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <linux/input-event-codes.h>

namespace
{
constexpr int xKeyCodeOffset = 8;
} // namespace

// The whole path of a key press on the desktop: X server, hook, the window's callbacks, the view
// and finally the QML root, wired as the program's main wires them.
class HookToQmlTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysAndClicksReachTheRoot()
    {
        resetVirtualKeyboard();
        Display *injector = XOpenDisplay(nullptr);
        QVERIFY(injector);

        Widget widget(nullptr, recordingRoot());
        widget.checkDevice();
        QmlCallRecorder recorder(widget.uiController()->uiView());
        InputHook hook(widget.uiController()->uiView()->backend().bridge().layoutType() == 0);
        hook.setKeyCallback(&keyCallback, &widget);
        hook.setMouseCallback(&mouseCallback, &widget);

        // Another window has the focus, as when a macro is recorded while typing elsewhere.
        QLineEdit edit;
        edit.setGeometry(100, 100, 200, 40);
        edit.show();
        edit.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        edit.setFocus();
        recorder.clear();

        XTestFakeKeyEvent(injector, KEY_A + xKeyCodeOffset, True, CurrentTime);
        XTestFakeKeyEvent(injector, KEY_A + xKeyCodeOffset, False, CurrentTime);
        XTestFakeKeyEvent(injector, KEY_KPENTER + xKeyCodeOffset, True, CurrentTime);
        XTestFakeKeyEvent(injector, KEY_KPENTER + xKeyCodeOffset, False, CurrentTime);
        XTestFakeMotionEvent(injector, -1, 320, 240, CurrentTime);
        XTestFakeButtonEvent(injector, 3, True, CurrentTime);
        XTestFakeButtonEvent(injector, 3, False, CurrentTime);
        XFlush(injector);

        QTRY_COMPARE(recorder.named("detectMouse").size(), 2);
        const QList<QmlCallRecorder::Call> keys = recorder.named("detectKeyboard");
        QCOMPARE(keys.size(), 4);
        const QList<QVariantList> expectedKeys{
            {true, 0x04}, {false, 0x04}, {true, 0x58}, {false, 0x58}};
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(keys.at(i).args, expectedKeys.at(i));
        const QList<QmlCallRecorder::Call> clicks = recorder.named("detectMouse");
        QCOMPARE(clicks.at(0).args, (QVariantList{true, 0xF1u, 320u, 240u}));
        QCOMPARE(clicks.at(1).args, (QVariantList{false, 0xF1u, 320u, 240u}));

        // Only watched: the focused window still got the key.
        QTRY_COMPARE(edit.text(), QStringLiteral("a"));

        hook.removeHooks();
        XCloseDisplay(injector);
    }

    void callbacksWithoutAWindowDoNothing()
    {
        keyCallback(0x04, true, nullptr);
        mouseCallback(0xF0, true, 1, 2, nullptr);
    }
};

int main(int argc, char *argv[])
{
    XvfbServer xvfb;
    if (!xvfb.startForThisProcess())
        return 1;
    qputenv("R7_VIRTUAL_KEYBOARD", "1");
    QApplication app(argc, argv);
    TestWorkspace workspace;
    HookToQmlTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hooktoqml.moc"
