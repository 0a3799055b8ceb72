// The backend on its own, as the command line runs it: no display, no GUI application, the
// same objects the window's slots hand their work to.

#include "backend/backend.h"
#include "devicefixture.h"
#include "testworkspace.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTest>

#include <memory>

class BackendTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drivesTheKeyboardWithoutAWindow();
};

void BackendTest::drivesTheKeyboardWithoutAWindow()
{
    QVERIFY(!QCoreApplication::instance()->inherits("QGuiApplication"));
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");

    TestWorkspace workspace;
    workspace.writeSetting(QStringLiteral("HWDef.bin"), {{QStringLiteral("common/maxProfile"), 3},
                                                         {QStringLiteral("common/maxMacro"), 17}});
    workspace.writeSetting(QStringLiteral("apConfig.bin"),
                           {{QStringLiteral("common/product_name"), QStringList{"R7"}}});
    DeviceFixture device;
    auto backend = std::make_unique<Backend>();
    DeviceBridge &bridge = backend->bridge();
    bridge.setHidThread(&device.hid);
    QVERIFY(!bridge.findKeyboard().commandPath.isEmpty());
    QVERIFY(device.hid.isKeyboardAccepted());
    device.keyboard.clearCalls();

    QVariantList matrix(256, 0);
    matrix[0] = 0x04; // position 0: A
    matrix[2] = 0xE9; // position 1: volume up, a media key
    matrix[3] = 0x30;
    bridge.ui_21H_SetCurrentProfile(2);
    bridge.ui_0C0DH_SetKeyMatrix(matrix);
    bridge.ui_08H_SetLEDType(6, 5, 4, 1, 7, 0, 3);
    QVERIFY(device.settle());

    const QByteArray halfOne = QByteArray::fromHex("04 00 E9 30") + QByteArray(124, '\0');
    const auto report = [](const char *hexBytes) {
        return QByteArray(1, '\0') + QByteArray::fromHex(hexBytes);
    };
    const QList<QByteArray> expected{
        report("21 02 00 00 00 55 AA 00"),
        report("0C 00 00 00 00 55 AA 00"),
        QByteArray(1, '\0') + halfOne.left(64),
        QByteArray(1, '\0') + halfOne.mid(64),
        report("0D 00 00 00 00 55 AA 00"),
        QByteArray(65, '\0'),
        QByteArray(65, '\0'),
        report("08 06 05 04 01 07 00 03"),
    };
    QCOMPARE(device.traffic(), expected);
    QCOMPARE(device.keyboard.firmware().currentProfile, quint8(2));

    // Written out when the backend goes, as when the program ends.
    backend.reset();
    const QSettings stored(workspace.path(QStringLiteral("modules/setting/p3.bin")),
                           QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("keydefine1/0")).toStringList(), QStringList({"4", "0"}));
    QCOMPARE(stored.value(QStringLiteral("keydefine1/1")).toStringList(),
             QStringList({"233", "48"}));
    QCOMPARE(stored.value(QStringLiteral("color/ledType")).toStringList(),
             QStringList({"6", "5", "4", "1", "7", "0", "3"}));
    QVERIFY(
        !QSettings(workspace.path(QStringLiteral("modules/setting/p1.bin")), QSettings::IniFormat)
             .contains(QStringLiteral("color/ledType")));
}

QTEST_GUILESS_MAIN(BackendTest)
#include "tst_backend.moc"
