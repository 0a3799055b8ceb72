// Following the keyboard being plugged in and out, and the lighting states it reports.

#include "app/widget.h"
#include "device/virtual/virtualkeyboard.h"
#include "qmlcallrecorder.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace
{
constexpr int checkDelayMs = 1024;
// Generous bounds: the machine running the tests may be busy.
constexpr int lateMarginMs = 3000;
constexpr int restartedAtLeastMs = 700;
} // namespace

class DeviceWatchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("R7_VIRTUAL_KEYBOARD", "1"); }
    void init() { resetVirtualKeyboard(); }

    void burstGivesOneCheckAfterTheLast();
    void changesWhileTheWorkerRunsAreIgnored();
    void unplugTellsTheUiWithoutFurtherNotification();
    void unopenableKeyboardIsCheckedLessAndLessOften();
    void refusedKeyboardWaitsForTheUser_data();
    void refusedKeyboardWaitsForTheUser();
    void ledStateLandsInTheCurrentProfile_data();
    void ledStateLandsInTheCurrentProfile();
};

// Ten notifications 200 ms apart with no worker running: the timer restarts on each, and one
// check follows, 1024 ms after the last. The keyboard arrives in the middle of the burst.
void DeviceWatchTest::burstGivesOneCheckAfterTheLast()
{
    VirtualKeyboard::shared().unplug();
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    QmlCallRecorder recorder(widget.uiController()->uiView());
    widget.checkDevice();
    QTRY_COMPARE(recorder.names(), QStringList{QStringLiteral("currentVersion")});
    recorder.clear();

    QTimer *timer = widget.deviceCheckTimer();
    QSignalSpy checks(timer, &QTimer::timeout);
    qint64 checkedAt = -1;
    connect(timer, &QTimer::timeout, this, [&] { checkedAt = recorder.now(); });
    qint64 lastNotification = 0;
    for (int i = 0; i < 10; ++i) {
        if (i == 5)
            VirtualKeyboard::shared().plug();
        lastNotification = recorder.now();
        widget.deviceChangeNotified();
        QVERIFY(timer->isActive());
        QVERIFY2(timer->remainingTime() >= restartedAtLeastMs,
                 qPrintable(QString::number(timer->remainingTime())));
        QTest::qWait(200);
        QCOMPARE(checks.count(), 0);
    }

    QTRY_COMPARE_WITH_TIMEOUT(checks.count(), 1, checkDelayMs + lateMarginMs);
    QVERIFY2(checkedAt - lastNotification >= checkDelayMs - 1,
             qPrintable(QString::number(checkedAt - lastNotification)));
    QTRY_COMPARE(recorder.names(), QStringList{QStringLiteral("currentVersion")});
    QCOMPARE(recorder.calls().at(0).args, QVariantList{true});
    QVERIFY(widget.device().isWorkerRunning());

    QTest::qWait(checkDelayMs + 200);
    QCOMPARE(checks.count(), 1);
    QCOMPARE(recorder.calls().size(), 1);
}

void DeviceWatchTest::changesWhileTheWorkerRunsAreIgnored()
{
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    QmlCallRecorder recorder(widget.uiController()->uiView());
    widget.checkDevice();
    QVERIFY(widget.device().isWorkerRunning());
    QTRY_COMPARE(recorder.names(), QStringList{QStringLiteral("currentVersion")});
    recorder.clear();

    QSignalSpy checks(widget.deviceCheckTimer(), &QTimer::timeout);
    for (int i = 0; i < 3; ++i) {
        widget.deviceChangeNotified();
        QVERIFY(!widget.deviceCheckTimer()->isActive());
    }
    QTest::qWait(checkDelayMs + 300);
    QCOMPARE(checks.count(), 0);
    QCOMPARE(recorder.names(), QStringList());
}

// The worker notices the removal; the UI hears of it with no device-change message at all.
void DeviceWatchTest::unplugTellsTheUiWithoutFurtherNotification()
{
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    QmlCallRecorder recorder(widget.uiController()->uiView());
    widget.checkDevice();
    QTRY_COMPARE(recorder.names(), QStringList{QStringLiteral("currentVersion")});
    QCOMPARE(recorder.calls().at(0).args, QVariantList{true});
    recorder.clear();

    VirtualKeyboard::shared().unplug();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.names(), QStringList{QStringLiteral("currentVersion")},
                              500 + checkDelayMs + lateMarginMs);
    QCOMPARE(recorder.calls().at(0).args, QVariantList{false});
    QVERIFY(!widget.device().isWorkerRunning());
    QVERIFY(widget.device().devices().value(0).commandPath.isEmpty());

    QTest::qWait(checkDelayMs + 200);
    QCOMPARE(recorder.calls().size(), 1);
}

// A keyboard that is listed but fails every open, for a reason that is neither permission nor
// another program, is checked again after twice the time each round, up to 30 s; a device
// change brings the prompt check back.
void DeviceWatchTest::unopenableKeyboardIsCheckedLessAndLessOften()
{
    VirtualKeyboard::shared().setOpensFail(true);
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    QTimer *timer = widget.deviceCheckTimer();
    for (int expected : {1024, 2048, 4096, 8192, 16384, 30000, 30000}) {
        widget.checkDevice();
        QTRY_VERIFY(timer->isActive());
        QCOMPARE(timer->interval(), expected);
        timer->stop();
    }
    QVERIFY(!widget.device().isWorkerRunning());

    widget.deviceChangeNotified();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), checkDelayMs);
}

void DeviceWatchTest::refusedKeyboardWaitsForTheUser_data()
{
    QTest::addColumn<int>("refusal");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QStringList>("remedy");
    // Where the rule is and the two commands that apply it: the user of an installed program
    // has no README at hand.
    QTest::newRow("no permission")
        << int(HidBackend::OpenFailure::NoPermission) << QStringLiteral("not allowed")
        << QStringList{"/lib/udev/rules.d/70-r7configurator.rules",
                       "\nudevadm control --reload-rules\n",
                       "\nudevadm trigger --subsystem-match=hidraw --action=change"};
    QTest::newRow("held by another program")
        << int(HidBackend::OpenFailure::InUse) << QStringLiteral("another program")
        << QStringList{"Close the other program"};
}

// A keyboard that is listed but refuses every open is explained once, and nothing polls it:
// the user closing the message (or the next device change) checks again.
void DeviceWatchTest::refusedKeyboardWaitsForTheUser()
{
    QFETCH(int, refusal);
    QFETCH(QString, reason);
    QFETCH(QStringList, remedy);
    VirtualKeyboard &keyboard = VirtualKeyboard::shared();
    keyboard.setRefusesOpens(HidBackend::OpenFailure(refusal));
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    QmlCallRecorder recorder(widget.uiController()->uiView());
    QSignalSpy checks(widget.deviceCheckTimer(), &QTimer::timeout);
    const auto opens = [&keyboard] {
        const QList<VirtualKeyboard::Call> calls = keyboard.calls();
        return std::count_if(calls.cbegin(), calls.cend(), [](const VirtualKeyboard::Call &call) {
            return call.kind == VirtualKeyboard::Call::Open;
        });
    };
    const auto messages = [&recorder] {
        return recorder.named(QStringLiteral("deviceAccessMessage"));
    };

    widget.checkDevice();
    QTRY_VERIFY(!widget.device().isWorkerRunning());
    QTRY_COMPARE(messages().size(), 2); // the command interface, then the worker's
    QCOMPARE(recorder.named(QStringLiteral("currentVersion")).value(0).args, QVariantList{false});
    for (const QmlCallRecorder::Call &message : messages()) {
        QCOMPARE(message.args.value(0), QVariant(true));
        const QString text = message.args.value(2).toString();
        QVERIFY2(text.contains(reason) && text.contains(QLatin1String("R7")), qPrintable(text));
        for (const QString &part : remedy)
            QVERIFY2(text.contains(part), qPrintable(text));
    }
    QVERIFY(messages().at(0).args.value(2).toString().contains(
        QLatin1String(VirtualKeyboard::commandPath)));
    QCOMPARE(opens(), 2);

    QTest::qWait(3 * checkDelayMs);
    QCOMPARE(checks.count(), 0);
    QCOMPARE(opens(), 2);
    QCOMPARE(messages().size(), 2);

    keyboard.setRefusesOpens(HidBackend::OpenFailure::Gone);
    recorder.clear();
    widget.uiController()->checkDeviceAgain();
    QTRY_COMPARE_WITH_TIMEOUT(checks.count(), 1, checkDelayMs + lateMarginMs);
    QCOMPARE(recorder.named(QStringLiteral("currentVersion")).value(0).args, QVariantList{true});
    QTRY_COMPARE(messages().size(), 1);
    QCOMPARE(messages().at(0).args.value(0), QVariant(false));
    QVERIFY(widget.device().isWorkerRunning());
}

void DeviceWatchTest::ledStateLandsInTheCurrentProfile_data()
{
    QTest::addColumn<int>("maxProfile");
    QTest::addColumn<int>("keyboardProfile");
    QTest::addColumn<QString>("profileFile"); // empty: no profile file may change

    QTest::newRow("first profile") << 5 << 0 << QStringLiteral("p1.bin");
    QTest::newRow("third profile") << 5 << 2 << QStringLiteral("p3.bin");
    QTest::newRow("keyboard beyond the profiles") << 2 << 4 << QString();
    QTest::newRow("no profiles at all") << 0 << 0 << QString();
}

// The notified values are stored on the GUI thread before "zzzMorvel" reaches the QML, once.
void DeviceWatchTest::ledStateLandsInTheCurrentProfile()
{
    QFETCH(int, maxProfile);
    QFETCH(int, keyboardProfile);
    QFETCH(QString, profileFile);
    TestWorkspace workspace;
    workspace.writeSetting(QStringLiteral("HWDef.bin"),
                           {{QStringLiteral("common/maxProfile"), maxProfile}});
    VirtualFirmware firmware = VirtualKeyboard::shared().firmware();
    firmware.currentProfile = quint8(keyboardProfile);
    VirtualKeyboard::shared().setFirmware(firmware);

    Widget widget(nullptr, recordingRoot());
    QmlCallRecorder recorder(widget.uiController()->uiView());
    widget.checkDevice();
    QCOMPARE(int(widget.uiController()->uiView()->backend().profiles().activeIndex()),
             keyboardProfile);
    QTRY_COMPARE(recorder.names(), QStringList{QStringLiteral("currentVersion")});
    recorder.clear();

    const QStringList expected{"2", "3", "1", "0", "5", "0", "1"};
    QStringList storedWhenCalled;
    recorder.onCall = [&](const QmlCallRecorder::Call &call) {
        if (call.name == QLatin1String("zzzMorvel") && !profileFile.isEmpty())
            storedWhenCalled =
                QSettings(workspace.path(QStringLiteral("modules/setting/") + profileFile),
                          QSettings::IniFormat)
                    .value(QStringLiteral("color/ledType"))
                    .toStringList();
    };
    VirtualKeyboard::shared().changeLighting({2, 3, 1, 0, 5, 0, 1});
    QTRY_COMPARE(recorder.names(), QStringList{QStringLiteral("zzzMorvel")});
    QTest::qWait(700);
    QCOMPARE(recorder.names(), QStringList{QStringLiteral("zzzMorvel")});

    if (!profileFile.isEmpty())
        QCOMPARE(storedWhenCalled, expected);
    for (int n = 1; n <= 10; ++n) {
        const QString file = QStringLiteral("p%1.bin").arg(n);
        if (file == profileFile)
            continue;
        const QSettings other(workspace.path(QStringLiteral("modules/setting/") + file),
                              QSettings::IniFormat);
        QVERIFY2(!other.contains(QStringLiteral("color/ledType")), qPrintable(file));
    }
}

QTEST_MAIN(DeviceWatchTest)
#include "tst_devicewatch.moc"
