#include "capture/evdevinputsource_linux.h"
#include "capture/inputhook.h"
#include "hookrecorder.h"

#include <QDir>
#include <QList>
#include <QTest>

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include <utility>

namespace
{

using Report = PressRecorder::Press;

input_event inputEvent(unsigned short type, unsigned short code, int value)
{
    input_event e{};
    e.type = type;
    e.code = code;
    e.value = value;
    return e;
}

// A pipe stands in for an event device: the kernel hands out whole input_event structs, and so
// does a pipe written with them.
struct FakeDevice {
    int readEnd = -1;
    int writeEnd = -1;

    FakeDevice()
    {
        int fds[2];
        if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) == 0) {
            readEnd = fds[0];
            writeEnd = fds[1];
        }
    }
    ~FakeDevice() { unplug(); }

    bool send(const QList<input_event> &events) const
    {
        const auto size = static_cast<std::size_t>(events.size()) * sizeof(input_event);
        return write(writeEnd, events.constData(), size) == static_cast<ssize_t>(size);
    }
    void unplug()
    {
        if (writeEnd >= 0)
            close(writeEnd);
        writeEnd = -1;
    }
};

} // namespace

class TestEvdevInputSource : public QObject
{
    Q_OBJECT

private slots:
    void keysAndButtonsReachTheProcedures();
    void keyboardsOnTwoDevicesShareTheState();
    void unpluggedDeviceIsDropped();
    void folderWithoutDevices();
};

void TestEvdevInputSource::keysAndButtonsReachTheProcedures()
{
    InputHook hook(false, nullptr);
    PressRecorder recorder;
    hook.setKeyCallback(&PressRecorder::onKey, &recorder);
    hook.setMouseCallback(&PressRecorder::onMouse, &recorder);
    EvdevInputSource source(hook);
    FakeDevice device;
    QVERIFY(device.readEnd >= 0);
    source.addDevice(device.readEnd);

    QVERIFY(device.send({
        inputEvent(EV_MSC, MSC_SCAN, 0x70004),
        inputEvent(EV_KEY, KEY_A, 1),
        inputEvent(EV_SYN, SYN_REPORT, 0),
        inputEvent(EV_KEY, KEY_A, 2),
        inputEvent(EV_KEY, KEY_A, 2),
        inputEvent(EV_KEY, KEY_A, 0),
        inputEvent(EV_KEY, KEY_KPENTER, 1),
        inputEvent(EV_KEY, KEY_KPENTER, 0),
        inputEvent(EV_REL, REL_X, 5),
        inputEvent(EV_KEY, BTN_LEFT, 1),
        inputEvent(EV_KEY, BTN_LEFT, 0),
        inputEvent(EV_REL, REL_WHEEL, 1),
        inputEvent(EV_KEY, BTN_RIGHT, 1),
        inputEvent(EV_KEY, BTN_RIGHT, 0),
        inputEvent(EV_KEY, KEY_RIGHTMETA, 1),
        inputEvent(EV_KEY, KEY_RIGHTMETA, 0),
        inputEvent(EV_KEY, KEY_PAUSE, 1),
        inputEvent(EV_KEY, KEY_PAUSE, 0),
    }));

    const QList<Report> keys{{0x04, true},  {0x04, false}, {0x58, true},
                             {0x58, false}, {0x48, true},  {0x48, false}};
    QTRY_COMPARE(recorder.keys, keys);
    const QList<Report> buttons{{0xF0, true}, {0xF0, false}, {0xF1, true}, {0xF1, false}};
    QCOMPARE(recorder.buttons, buttons);
}

void TestEvdevInputSource::keyboardsOnTwoDevicesShareTheState()
{
    InputHook hook(false, nullptr);
    PressRecorder recorder;
    hook.setKeyCallback(&PressRecorder::onKey, &recorder);
    EvdevInputSource source(hook);
    FakeDevice first;
    FakeDevice second;
    source.addDevice(first.readEnd);
    source.addDevice(second.readEnd);

    // Alt held on one keyboard and Print Screen pressed on the other.
    QVERIFY(first.send({inputEvent(EV_KEY, KEY_LEFTALT, 1)}));
    QTRY_COMPARE(recorder.keys, (QList<Report>{{0xE2, true}}));
    QVERIFY(second.send({inputEvent(EV_KEY, KEY_SYSRQ, 1), inputEvent(EV_KEY, KEY_SYSRQ, 0)}));
    QTRY_COMPARE(recorder.keys, (QList<Report>{{0xE2, true}, {0x46, true}, {0x46, false}}));
}

void TestEvdevInputSource::unpluggedDeviceIsDropped()
{
    InputHook hook(false, nullptr);
    PressRecorder recorder;
    hook.setKeyCallback(&PressRecorder::onKey, &recorder);
    EvdevInputSource source(hook);
    FakeDevice gone;
    FakeDevice staying;
    source.addDevice(gone.readEnd);
    source.addDevice(staying.readEnd);

    static int goneMessages = 0;
    goneMessages = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            if (text == QLatin1String("an input device went away"))
                ++goneMessages;
        });
    gone.unplug();
    QVERIFY(staying.send({inputEvent(EV_KEY, KEY_B, 1)}));
    QTRY_COMPARE(recorder.keys, (QList<Report>{{0x05, true}}));
    QTRY_COMPARE(goneMessages, 1);
    QVERIFY(staying.send({inputEvent(EV_KEY, KEY_B, 0)}));
    QTRY_COMPARE(recorder.keys, (QList<Report>{{0x05, true}, {0x05, false}}));
    qInstallMessageHandler(previous);
    QCOMPARE(goneMessages, 1);
}

void TestEvdevInputSource::folderWithoutDevices()
{
    InputHook hook(false, nullptr);
    EvdevInputSource source(hook);
    const QString empty = QDir::tempPath() + QStringLiteral("/r7-no-such-input-folder");
    QVERIFY(!source.openDevices(empty));
}

QTEST_GUILESS_MAIN(TestEvdevInputSource)
#include "tst_evdevinputsource.moc"
