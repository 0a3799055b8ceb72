// The view's ui_ slots against a virtual keyboard: values stored in the active profile and the
// bytes that reach the keyboard.

#include "devicefixture.h"
#include "qmlcallrecorder.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace
{
QByteArray command(const char *hexBytes)
{
    return QByteArray(1, '\0') + QByteArray::fromHex(hexBytes);
}

QVariantList ints(const QList<int> &values)
{
    QVariantList list;
    for (int value : values)
        list.append(value);
    return list;
}

QVariantList strings(const QVariantList &values)
{
    QVariantList list;
    for (const QVariant &value : values)
        list.append(value.toString());
    return list;
}
} // namespace

class DeviceBridgeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void keyMatrix_data();
    void keyMatrix();
    void userPicture_data();
    void userPicture();
    void userPictureReadBack_data();
    void userPictureReadBack();
    void sevenColors_data();
    void sevenColors();
    void ledType();
    void syncLed_data();
    void syncLed();
    void keyboardModeKeepsTheOtherBytes();
    void reportRateOnlyForTheSecondDevice();
    void currentProfile_data();
    void currentProfile();
    void answersWithoutAsking();
    void answersFromTheKeyboard();
    void withoutProfilesOnlyTheKeyboardChanges();
    void syncLedAfterTheProfileChangedDuringItsWait_data();
    void syncLedAfterTheProfileChangedDuringItsWait();
    void failedCallTellsTheUserOnce_data();
    void failedCallTellsTheUserOnce();

private:
    QSettings *profile() const
    {
        return view->backend().profiles().profileAt(view->backend().profiles().activeIndex());
    }

    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<DeviceFixture> fixture;
    std::unique_ptr<myQQuickView> view;
};

void DeviceBridgeTest::init()
{
    workspace = std::make_unique<TestWorkspace>();
    workspace->writeSetting(QStringLiteral("HWDef.bin"),
                            {{QStringLiteral("common/maxProfile"), 3}});
    fixture = std::make_unique<DeviceFixture>();
    view = std::make_unique<myQQuickView>();
    view->setHidThread(&fixture->hid);
    view->syncFW();
    QCOMPARE(int(view->backend().bridge().layoutType()), 1);
    fixture->keyboard.clearCalls();
}

void DeviceBridgeTest::cleanup()
{
    view.reset();
    fixture.reset();
    workspace.reset();
}

void DeviceBridgeTest::keyMatrix_data()
{
    QTest::addColumn<QVariantList>("src");
    QTest::addColumn<QByteArray>("sent");

    QVariantList full;
    QByteArray fullBytes;
    for (int k = 0; k < 256; ++k) {
        full.append((k * 7 + 3) % 256);
        fullBytes.append(char((k * 7 + 3) % 256));
    }
    // Positions 60 and 75 on 61 and 76: bytes 120-121 on 122-123, 150-151 on 152-153.
    QByteArray copied = fullBytes;
    copied.replace(122, 2, fullBytes.mid(120, 2));
    copied.replace(152, 2, fullBytes.mid(150, 2));
    QTest::newRow("complete") << full << copied;

    QByteArray shortBytes = fullBytes.left(100) + QByteArray(156, '\0');
    QTest::newRow("short list padded with 0") << full.mid(0, 100) << shortBytes;

    QVariantList wide = QVariantList(256, 0);
    wide[0] = 0x141;
    wide[1] = "65";
    wide[120] = 0xE0;
    wide[121] = 0x40;
    wide[122] = 9;
    QByteArray wideBytes(256, '\0');
    wideBytes[0] = 0x41;
    wideBytes[1] = 65;
    wideBytes[120] = char(0xE0);
    wideBytes[121] = 0x40;
    wideBytes[122] = char(0xE0);
    wideBytes[123] = 0x40;
    QTest::newRow("low 8 bits, strings") << wide << wideBytes;
}

// The keyboard gets 61 and 76 as 60 and 75; the profile keeps what was given.
void DeviceBridgeTest::keyMatrix()
{
    QFETCH(QVariantList, src);
    QFETCH(QByteArray, sent);
    view->ui_0C0DH_SetKeyMatrix(src);
    QVERIFY(fixture->settle());

    QCOMPARE(fixture->traffic(),
             (QList<QByteArray>{command("0C00000000 55AA00"), dataReport(sent.mid(0, 64)),
                                dataReport(sent.mid(64, 64)), command("0D00000000 55AA00"),
                                dataReport(sent.mid(128, 64)), dataReport(sent.mid(192, 64))}));
    QCOMPARE(fixture->keyboard.firmware().profiles[0].keyMatrix, sent);

    const QVariantList given = QVariantList(src.mid(0, 256)) + QVariantList(256 - src.size(), 0);
    for (int i : {0, 49, 60, 61, 75, 76, 127})
        QCOMPARE(view->getKeydefine(i), strings({given.at(2 * i), given.at(2 * i + 1)}));
    QCOMPARE(view->getKeydefine(QStringLiteral("61")), view->getKeydefine(61));
    QCOMPARE(view->getKeydefine(128), QVariantList());
}

void DeviceBridgeTest::userPicture_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("sends");
    QTest::newRow("shown") << 0 << true;
    QTest::newRow("any other option sends") << 7 << true;
    QTest::newRow("255 only stores") << 255 << false;
}

void DeviceBridgeTest::userPicture()
{
    QFETCH(int, option);
    QFETCH(bool, sends);
    QVariantList picture;
    for (int k = 0; k < 128; ++k)
        picture << k % 3 << (k * 2) % 256 << 255 - k << 3;
    view->ui_12H_SetUserPicture(2, uchar(option), picture);
    QVERIFY(fixture->settle());
    QCOMPARE(view->ui_92H_GetUserPicture(2), strings(picture));

    if (!sends) {
        QCOMPARE(fixture->traffic(), QList<QByteArray>());
        return;
    }
    QList<QByteArray> expected;
    for (int plane = 0; plane < 4; ++plane) {
        QByteArray bytes(128, '\0');
        for (int k = 0; k < 128; ++k) {
            const int value = picture.at(4 * k + plane).toInt();
            bytes[k] = char(plane == 0 ? value : value / 4);
        }
        bytes[61] = bytes[60];
        bytes[76] = bytes[75];
        expected << command(QByteArray("120002") +
                            QByteArray::number(plane).rightJustified(2, '0') + "0055AA00")
                 << dataReport(bytes.left(64)) << dataReport(bytes.mid(64));
        QCOMPARE(fixture->keyboard.firmware().profiles[0].pictures.value(2 * 4 + plane), bytes);
    }
    QCOMPARE(fixture->traffic(), expected);
    // Red of position 61 is red of position 60 on the wire.
    QCOMPARE(expected.at(4).at(1 + 61), char(60 * 2 / 4));
}

void DeviceBridgeTest::userPictureReadBack_data()
{
    QTest::addColumn<QVariant>("stored"); // invalid: nothing stored
    QTest::addColumn<int>("nonZero");
    QTest::newRow("never stored") << QVariant() << 0;
    QTest::newRow("300 values") << QVariant(QVariantList(300, 5)) << 0;
    QTest::newRow("513 values") << QVariant(QVariantList(513, 5)) << 0;
    QTest::newRow("one value") << QVariant(QStringLiteral("5")) << 0;
    QTest::newRow("not a list") << QVariant(QStringLiteral("garbage, ")) << 0;
    QTest::newRow("512 values") << QVariant(QVariantList(512, 5)) << 512;
}

// Anything but 512 values reads back as 512 zeros.
void DeviceBridgeTest::userPictureReadBack()
{
    QFETCH(QVariant, stored);
    QFETCH(int, nonZero);
    if (stored.isValid())
        profile()->setValue(QStringLiteral("userPicture/1"), stored);
    profile()->sync();
    const QVariantList picture = view->ui_92H_GetUserPicture(1);
    QCOMPARE(picture.size(), 512);
    QCOMPARE(int(std::count_if(picture.cbegin(), picture.cend(),
                               [](const QVariant &v) { return v.toInt() != 0; })),
             nonZero);
    QCOMPARE(view->ui_92H_GetUserPicture(4), QVariantList(512, 0));
}

void DeviceBridgeTest::sevenColors_data()
{
    QTest::addColumn<QVariantList>("src");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QVariantList>("stored");

    QVariantList colors;
    QByteArray bytes(64, '\0');
    for (int i = 0; i < 21; ++i) {
        colors.append(i % 2 ? 255 : 3);
        bytes[i] = char(i % 2 ? 63 : 0);
    }
    QTest::newRow("255 is 63, 3 is 0") << colors << bytes << colors;
    QByteArray partial(64, '\0');
    partial[0] = 63;
    partial[1] = 32;
    QTest::newRow("short list padded with 0")
        << QVariantList{252, 128} << partial << (QVariantList{252, 128} + QVariantList(19, 0));
}

void DeviceBridgeTest::sevenColors()
{
    QFETCH(QVariantList, src);
    QFETCH(QByteArray, block);
    QFETCH(QVariantList, stored);
    view->ui_30H_SetColor(src);
    QVERIFY(fixture->settle());
    QCOMPARE(fixture->traffic(),
             (QList<QByteArray>{command("3000000000 55AA00"), dataReport(block)}));
    QCOMPARE(view->ui_B0H_GetColor(), strings(stored));
}

void DeviceBridgeTest::ledType()
{
    view->ui_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7);
    QVERIFY(fixture->settle());
    QCOMPARE(fixture->traffic(), QList<QByteArray>{command("08 01020304 050607")});
    QCOMPARE(profile()->value(QStringLiteral("color/ledType")),
             QVariant(ints({1, 2, 3, 4, 5, 6, 7})));
    QCOMPARE(view->ui_88H_GetLEDType(), strings(ints({1, 2, 3, 4, 5, 6, 7})));
}

void DeviceBridgeTest::syncLed_data()
{
    QTest::addColumn<int>("dataReports"); // per query; -1 all
    QTest::addColumn<bool>("answers");
    QTest::addColumn<bool>("ledTypeStored");
    QTest::addColumn<bool>("colorStored");
    QTest::newRow("keyboard answers") << -1 << true << true << true;
    QTest::newRow("colour block missing") << 0 << true << true << false;
    QTest::newRow("no answers") << -1 << false << false << false;
}

// Colours come back × 4; a step the keyboard does not answer stores nothing.
void DeviceBridgeTest::syncLed()
{
    QFETCH(int, dataReports);
    QFETCH(bool, answers);
    QFETCH(bool, ledTypeStored);
    QFETCH(bool, colorStored);
    // What the profile held before, from the pages.
    view->ui_08H_SetLEDType(1, 1, 1, 1, 1, 1, 1);
    view->ui_30H_SetColor(QVariantList(21, 100));
    QVERIFY(fixture->settle());
    const QVariantList oldLedType = view->ui_88H_GetLEDType();
    const QVariantList oldColor = view->ui_B0H_GetColor();
    // The keyboard changed since.
    VirtualFirmware firmware = fixture->keyboard.firmware();
    firmware.profiles[0].ledType = {9, 8, 7, 6, 5, 4, 3};
    for (int i = 0; i < 21; ++i)
        firmware.profiles[0].sevenColor[i] = char(i * 3);
    firmware.profiles[0].sevenColor[20] = 63;
    fixture->keyboard.setFirmware(firmware);
    fixture->keyboard.setDataReportsPerQuery(dataReports);
    fixture->keyboard.setAnswersFeatureReports(answers);

    view->syncLed();
    QVariantList colors;
    for (int i = 0; i < 21; ++i)
        colors.append(i * 3 * 4);
    colors[20] = 252;
    QCOMPARE(view->ui_88H_GetLEDType(),
             ledTypeStored ? strings(ints({9, 8, 7, 6, 5, 4, 3})) : oldLedType);
    QCOMPARE(view->ui_B0H_GetColor(), colorStored ? strings(colors) : oldColor);
}

void DeviceBridgeTest::keyboardModeKeepsTheOtherBytes()
{
    VirtualFirmware firmware = fixture->keyboard.firmware();
    firmware.keyboardOption = {5, 6, 7};
    fixture->keyboard.setFirmware(firmware);
    view->ui_02H_SetKeyboardMode(1);
    QVERIFY(fixture->settle());
    const QList<QByteArray> sent = fixture->traffic();
    QCOMPARE(sent,
             (QList<QByteArray>{command("8200000000 55AA00"), command("02010607 00 55AA00")}));
    QCOMPARE(view->ui_82H_GetKeyboardMode(), QVariant(1));
}

void DeviceBridgeTest::reportRateOnlyForTheSecondDevice()
{
    view->ui_01H_SetReportRate(4);
    QVERIFY(!profile()->contains(QStringLiteral("sensor/reportRate_R8")));
    fixture->hid.swichCurDevice(1);
    view->ui_01H_SetReportRate(4);
    QCOMPARE(profile()->value(QStringLiteral("sensor/reportRate_R8")), QVariant(4));
    QCOMPARE(fixture->deviceCalls(), 0);
}

void DeviceBridgeTest::currentProfile_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("active");
    QTest::newRow("last") << 2 << 2;
    QTest::newRow("beyond maxProfile") << 3 << 0;
    QTest::newRow("negative") << -1 << 0;
    QTest::newRow("256 is not 0") << 256 << 0;
}

void DeviceBridgeTest::currentProfile()
{
    QFETCH(int, profile);
    QFETCH(int, active);
    view->ui_21H_SetCurrentProfile(profile);
    QVERIFY(fixture->settle());
    QCOMPARE(view->ui_A1H_GetCurrentProfile(), QVariant(active));
    QCOMPARE(fixture->traffic(), active == profile
                                     ? QList<QByteArray>{command("21020000 00 55AA00")}
                                     : QList<QByteArray>());
    if (active == profile) {
        view->ui_08H_SetLEDType(2, 2, 2, 2, 2, 2, 2);
        QVERIFY(view->backend().profiles().profileAt(2)->contains(QStringLiteral("color/ledType")));
        QVERIFY(
            !view->backend().profiles().profileAt(0)->contains(QStringLiteral("color/ledType")));
    }
}

void DeviceBridgeTest::answersWithoutAsking()
{
    QCOMPARE(view->ui_80H_GetFWVersion(), QStringLiteral("unknown"));
    QCOMPARE(view->ui_81H_GetReportRate(), QVariant(0));
    QCOMPARE(view->ui_80H_GetHWMode(), QVariant(1));
    QCOMPARE(view->ui_A1H_GetCurrentProfile(), QVariant(0));
    QCOMPARE(fixture->deviceCalls(), 0);
}

void DeviceBridgeTest::answersFromTheKeyboard()
{
    VirtualFirmware firmware = fixture->keyboard.firmware();
    firmware.keyboardOption = {3, 1, 1};
    firmware.buttonSensitivity = 6;
    for (int k = 0; k < 256; ++k)
        firmware.profiles[0].keyMatrix[k] = char(255 - k);
    fixture->keyboard.setFirmware(firmware);

    QCOMPARE(view->ui_82H_GetKeyboardMode(), QVariant(3));
    QCOMPARE(view->ui_84H_GetButtonSensitivity(), QVariant(6));
    const QVariantList matrix = view->ui_8C8DH_GetKeyMatrix();
    QCOMPARE(matrix.size(), 256);
    for (int k = 0; k < 256; ++k)
        QCOMPARE(matrix.at(k), QVariant(255 - k));

    // Without an answer the values start at 0.
    fixture->keyboard.setAnswersFeatureReports(false);
    QCOMPARE(view->ui_82H_GetKeyboardMode(), QVariant(0));
    QCOMPARE(view->ui_84H_GetButtonSensitivity(), QVariant(0));
    QCOMPARE(view->ui_8C8DH_GetKeyMatrix(), QVariantList(256, 0));
}

void DeviceBridgeTest::withoutProfilesOnlyTheKeyboardChanges()
{
    workspace->writeSetting(QStringLiteral("HWDef.bin"),
                            {{QStringLiteral("common/maxProfile"), 0}});
    myQQuickView bare;
    bare.setHidThread(&fixture->hid);
    bare.syncFW();
    fixture->keyboard.clearCalls();

    bare.ui_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7);
    bare.ui_30H_SetColor(QVariantList(21, 255));
    bare.ui_12H_SetUserPicture(0, 0, QVariantList(512, 4));
    bare.ui_0C0DH_SetKeyMatrix(QVariantList(256, 4));
    bare.syncLed();
    QVERIFY(fixture->settle());
    QCOMPARE(fixture->calls({Call::SendFeatureReport}).size(), 1 + 1 + 4 + 2);
    QCOMPARE(bare.ui_88H_GetLEDType(), QVariantList());
    QCOMPARE(bare.ui_B0H_GetColor(), QVariantList());
    QCOMPARE(bare.ui_92H_GetUserPicture(0), QVariantList(512, 0));
    QCOMPARE(bare.getKeydefine(0), QVariantList());
}

QTEST_MAIN(DeviceBridgeTest)
#include "tst_devicebridge.moc"

void DeviceBridgeTest::syncLedAfterTheProfileChangedDuringItsWait_data()
{
    QTest::addColumn<bool>("switchProfile");
    QTest::newRow("profile switched") << true;
    QTest::newRow("profile reset") << false;
}

// The gets of syncLed wait with events running while an earlier write still runs; the user
// switches or resets the profile meanwhile. The lighting lands in the profile that is active
// once the keyboard has answered, and in no other.
void DeviceBridgeTest::syncLedAfterTheProfileChangedDuringItsWait()
{
    QFETCH(bool, switchProfile);
    const QString key = QStringLiteral("color/ledType");
    VirtualFirmware firmware = fixture->keyboard.firmware();
    firmware.profiles[0].ledType = {2, 2, 2, 2, 2, 2, 2};
    firmware.profiles[1].ledType = {9, 8, 7, 6, 5, 4, 3};
    fixture->keyboard.setFirmware(firmware);
    const QVariant before = view->backend().profiles().profileAt(0)->value(key);

    fixture->keyboard.setLatency(30);
    view->ui_04H_SetButtonSensitivity(1);
    QTimer::singleShot(0, view.get(), [this, switchProfile] {
        if (switchProfile)
            view->ui_21H_SetCurrentProfile(1);
        else
            view->resetProfile(0);
    });
    view->syncLed();
    fixture->keyboard.setLatency(0);
    QVERIFY(fixture->settle());

    QCOMPARE(int(view->backend().profiles().activeIndex()), switchProfile ? 1 : 0);
    QCOMPARE(view->ui_88H_GetLEDType(),
             strings(ints(switchProfile ? QList<int>{9, 8, 7, 6, 5, 4, 3} : QList<int>(7, 2))));
    if (switchProfile)
        QCOMPARE(view->backend().profiles().profileAt(0)->value(key), before);
}

namespace
{
struct SlotCase {
    const char *name;
    std::function<void(myQQuickView &)> call;
};

const QList<SlotCase> &slotCases()
{
    static const QList<SlotCase> cases = {
        {"ui_02H_SetKeyboardMode", [](myQQuickView &v) { v.ui_02H_SetKeyboardMode(1); }},
        {"ui_04H_SetButtonSensitivity", [](myQQuickView &v) { v.ui_04H_SetButtonSensitivity(3); }},
        {"ui_08H_SetLEDType", [](myQQuickView &v) { v.ui_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7); }},
        {"ui_0C0DH_SetKeyMatrix",
         [](myQQuickView &v) { v.ui_0C0DH_SetKeyMatrix(QVariantList(256, 4)); }},
        {"ui_12H_SetUserPicture",
         [](myQQuickView &v) { v.ui_12H_SetUserPicture(1, 0, QVariantList(512, 40)); }},
        {"ui_13H_SetRecoveryData", [](myQQuickView &v) { v.ui_13H_SetRecoveryData(); }},
        {"ui_21H_SetCurrentProfile", [](myQQuickView &v) { v.ui_21H_SetCurrentProfile(1); }},
        {"ui_30H_SetColor", [](myQQuickView &v) { v.ui_30H_SetColor(QVariantList(21, 200)); }},
        {"ui_82H_GetKeyboardMode", [](myQQuickView &v) { v.ui_82H_GetKeyboardMode(); }},
        {"ui_84H_GetButtonSensitivity", [](myQQuickView &v) { v.ui_84H_GetButtonSensitivity(); }},
        {"ui_8C8DH_GetKeyMatrix", [](myQQuickView &v) { v.ui_8C8DH_GetKeyMatrix(); }},
        {"syncLed", [](myQQuickView &v) { v.syncLed(); }},
    };
    return cases;
}

// Every value of a profile file, by key.
QVariantMap profileValues(const QSettings &profile)
{
    QVariantMap values;
    for (const QString &key : profile.allKeys())
        values.insert(key, profile.value(key));
    return values;
}
} // namespace

void DeviceBridgeTest::failedCallTellsTheUserOnce_data()
{
    QTest::addColumn<int>("which");
    for (int i = 0; i < slotCases().size(); ++i)
        QTest::newRow(slotCases().at(i).name) << i;
}

// The k-th call of a slot into the keyboard fails, for every k: the slot ends in bounded time,
// the user is told once, and every stored value is either what it was or what the slot stores
// when the keyboard takes everything.
void DeviceBridgeTest::failedCallTellsTheUserOnce()
{
    QFETCH(int, which);
    const SlotCase &c = slotCases().at(which);
    const QVariantMap before = profileValues(*profile());
    c.call(*view);
    QVERIFY(fixture->settle());
    profile()->sync();
    const QVariantMap whenTaken = profileValues(*profile());

    int k = 1;
    for (;; ++k) {
        cleanup();
        init();
        view->setSource(recordingRoot());
        QmlCallRecorder recorder(view.get());
        fixture->keyboard.armFault(VirtualKeyboard::Fault::Fail, k);
        QElapsedTimer clock;
        clock.start();
        c.call(*view);
        QVERIFY(fixture->settle());
        QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(k)));
        if (!fixture->keyboard.faultStruck())
            break;
        QTRY_COMPARE(recorder.named(QStringLiteral("showKeyboardNotice")).size(), 1);
        QVERIFY(!recorder.named(QStringLiteral("showKeyboardNotice"))
                     .at(0)
                     .args.value(0)
                     .toString()
                     .isEmpty());
        profile()->sync();
        const QVariantMap after = profileValues(*profile());
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            QVERIFY2(it.value() == before.value(it.key()) ||
                         it.value() == whenTaken.value(it.key()),
                     qPrintable(it.key()));
    }
    QVERIFY2(k > 2, "the fault never struck");
}
