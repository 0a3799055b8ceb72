// The firmware check that accepts or refuses the connected keyboard.

#include "device/hidthread.h"
#include "device/virtual/virtualkeyboard.h"
#include "qmlcallrecorder.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QTest>

#include <memory>

class FirmwareCheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void acceptRule_data();
    void acceptRule();
    void refusedKeyboardGetsOnlyTheVersionQuery();
    void layoutIsOneWhateverTheKeyboardReports_data();
    void layoutIsOneWhateverTheKeyboardReports();
    void keyNameMapHasTheShorterLength_data();
    void keyNameMapHasTheShorterLength();

private:
    // A view with the recording root, talking to a keyboard of its own.
    void connectView();

    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<VirtualKeyboard> keyboard;
    std::unique_ptr<Hid_Thread> hid;
    std::unique_ptr<myQQuickView> view;
    std::unique_ptr<QmlCallRecorder> recorder;
};

void FirmwareCheckTest::init()
{
    workspace = std::make_unique<TestWorkspace>();
    keyboard = std::make_unique<VirtualKeyboard>();
    hid = std::make_unique<Hid_Thread>(*keyboard);
}

void FirmwareCheckTest::cleanup()
{
    recorder.reset();
    view.reset();
    hid.reset();
    keyboard.reset();
    workspace.reset();
}

void FirmwareCheckTest::connectView()
{
    view = std::make_unique<myQQuickView>();
    view->setSource(recordingRoot());
    view->setHidThread(hid.get());
    recorder = std::make_unique<QmlCallRecorder>(view.get());
    hid->updateDeviceList({DevInfoEntry{VirtualKeyboard::vendorId, VirtualKeyboard::productId,
                                        0xff01, 0x0001, 0xff02, 0x0001, QString(), 64}});
    keyboard->clearCalls();
}

void FirmwareCheckTest::acceptRule_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("code0");
    QTest::addColumn<int>("code1");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("0804, other code") << 0x0804 << 0x00 << 0x00 << true << true;
    QTest::newRow("0102, other code") << 0x0102 << 0x22 << 0x07 << true << true;
    QTest::newRow("other version, code 11 01") << 0x0301 << 0x11 << 0x01 << true << true;
    QTest::newRow("version 0, code 11 01") << 0x0000 << 0x11 << 0x01 << true << true;
    QTest::newRow("other version, code 11 02") << 0x0301 << 0x11 << 0x02 << true << false;
    QTest::newRow("other version, code 10 01") << 0x0301 << 0x10 << 0x01 << true << false;
    QTest::newRow("code bytes swapped") << 0x0301 << 0x01 << 0x11 << true << false;
    QTest::newRow("0803") << 0x0803 << 0x00 << 0x00 << true << false;
    QTest::newRow("0201, byte-swapped 0102") << 0x0201 << 0x00 << 0x00 << true << false;
    QTest::newRow("all zero") << 0x0000 << 0x00 << 0x00 << true << false;
    QTest::newRow("no answer") << 0x0102 << 0x11 << 0x01 << false << false;
}

void FirmwareCheckTest::acceptRule()
{
    QFETCH(int, version);
    QFETCH(int, code0);
    QFETCH(int, code1);
    QFETCH(bool, answers);
    QFETCH(bool, accepted);
    keyboard->setIdentity({quint16(version), 0x02, quint8(code0), quint8(code1)});
    keyboard->setAnswersFeatureReports(answers);
    connectView();

    view->syncFW();
    QCOMPARE(hid->isKeyboardAccepted(), accepted);
    QTRY_COMPARE(recorder->names(), QStringList{QStringLiteral("currentVersion")});
    QCOMPARE(recorder->calls().at(0).args, QVariantList{accepted});

    // A keyboard refused once is checked anew by the next check.
    keyboard->setIdentity({});
    keyboard->setAnswersFeatureReports(true);
    view->syncFW();
    QVERIFY(hid->isKeyboardAccepted());
}

// After the refusal nothing but 80H goes out: not the profile query of the check itself, and
// no later command either.
void FirmwareCheckTest::refusedKeyboardGetsOnlyTheVersionQuery()
{
    keyboard->setIdentity(VirtualKeyboard::refusedIdentity());
    connectView();

    view->syncFW();
    QVERIFY(!hid->isKeyboardAccepted());
    QCOMPARE(int(view->backend().profiles().activeIndex()), 0);
    hid->hid_21H_SetCurrentProfile(2);
    uchar profile = 9;
    hid->hid_A1H_GetCurrentProfile(profile);
    std::array<uchar, 64> colours{};
    hid->hid_B0H_GetSevenColor(colours.data());
    QTRY_VERIFY(hid->isTransportIdle());

    QList<QByteArray> commands;
    for (const VirtualKeyboard::Call &call : keyboard->calls()) {
        QVERIFY(call.kind != VirtualKeyboard::Call::Write);
        if (call.kind == VirtualKeyboard::Call::SendFeatureReport)
            commands.append(call.data);
    }
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands.at(0).toHex(), QByteArray("00800000000055aa00"));
}

void FirmwareCheckTest::layoutIsOneWhateverTheKeyboardReports_data()
{
    QTest::addColumn<int>("modeByte");
    QTest::addColumn<bool>("answers");
    QTest::newRow("layout 0") << 0x00 << true;
    QTest::newRow("layout 1") << 0x02 << true;
    QTest::newRow("layout 3") << 0x06 << true;
    QTest::newRow("no answer") << 0x04 << false;
}

void FirmwareCheckTest::layoutIsOneWhateverTheKeyboardReports()
{
    QFETCH(int, modeByte);
    QFETCH(bool, answers);
    workspace->writeSetting(QStringLiteral("HWDef.bin"),
                            {{QStringLiteral("common/kbLayoutType"), 3}});
    keyboard->setIdentity({0x0102, quint8(modeByte), 0x11, 0x01});
    keyboard->setAnswersFeatureReports(answers);
    connectView();
    QCOMPARE(int(view->backend().bridge().layoutType()), 3);

    view->syncFW();
    QCOMPARE(int(view->backend().bridge().layoutType()), 1);
}

void FirmwareCheckTest::keyNameMapHasTheShorterLength_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QVariantMap>("map");

    QTest::newRow("equal length") << QStringList{"A", "B"} << QStringList{"4", "5"}
                                  << QVariantMap{{"A", 4}, {"B", 5}};
    QTest::newRow("fewer codes") << QStringList{"A", "B", "C"} << QStringList{"4", "5"}
                                 << QVariantMap{{"A", 4}, {"B", 5}};
    QTest::newRow("fewer names") << QStringList{"A"} << QStringList{"4", "5", "6"}
                                 << QVariantMap{{"A", 4}};
    QTest::newRow("later name wins")
        << QStringList{"A", "A"} << QStringList{"4", "7"} << QVariantMap{{"A", 7}};
    QTest::newRow("kept in 8 bits")
        << QStringList{"Mute"} << QStringList{"482"} << QVariantMap{{"Mute", 482 & 0xff}};
    QTest::newRow("not a number") << QStringList{"X"} << QStringList{"x1"} << QVariantMap{{"X", 0}};
    QTest::newRow("no file") << QStringList() << QStringList() << QVariantMap();
}

void FirmwareCheckTest::keyNameMapHasTheShorterLength()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, codes);
    QFETCH(QVariantMap, map);
    if (!names.isEmpty())
        workspace->writeSetting(
            QStringLiteral("KeyCodeDef.bin"),
            {{QStringLiteral("common/usbStr"), names}, {QStringLiteral("common/usbCode"), codes}});
    connectView();

    view->syncFW();
    QVariantMap built;
    const QMap<QString, uchar> &keyNames = view->backend().bridge().keyNames();
    for (auto it = keyNames.cbegin(); it != keyNames.cend(); ++it)
        built.insert(it.key(), int(it.value()));
    QCOMPARE(built, map);
}

QTEST_MAIN(FirmwareCheckTest)
#include "tst_firmwarecheck.moc"
