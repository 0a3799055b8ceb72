#include "devicefixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{
QString writeTable(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath("DevInfo.ini");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}
} // namespace

class DeviceListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void embeddedTable()
    {
        QFile file(":/DevInfo.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 15); // fourteen lines, each ended by CR LF
        QCOMPARE(lines.at(0), QByteArray("; type 0: Keyboard, type 1: Mouse\r"));
        QCOMPARE(lines.at(12), QByteArray("modelName = R7-KEYBOARD\r"));
        QCOMPARE(lines.at(14), QByteArray());

        const QList<DevInfoEntry> entries = readDeviceTable(":/DevInfo.ini", {"R7", "spare"});
        QCOMPARE(entries.size(), 1);
        const DevInfoEntry &e = entries.at(0);
        QCOMPARE(e.vid, quint16(0x1209));
        QCOMPARE(e.pid, quint16(0x0001));
        QCOMPARE(e.usagePage, quint16(0xFF01));
        QCOMPARE(e.usage, quint16(0x0001));
        QCOMPARE(e.usagePage2, quint16(0xFF02));
        QCOMPARE(e.usage2, quint16(0x0001));
        QCOMPARE(e.name, QString("R7"));
        QCOMPARE(e.reportLength, quint32(64));
    }

    void unreadableTablesGiveDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("vid");
        QTest::newRow("empty") << QByteArray() << 0 << 0;
        QTest::newRow("no total") << QByteArray("[0]\nvid = 1209\n") << 0 << 0;
        QTest::newRow("not hexadecimal")
            << QByteArray("[common]\ntotal = 1\n[0]\nvid = zz\n") << 1 << 0;
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\x13[[=\n\n=]", 10) << 0 << 0;
        QTest::newRow("absurd total") << QByteArray("[common]\ntotal = 2000000000\n") << 256 << 0;
    }
    void unreadableTablesGiveDefaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, entries);
        QFETCH(int, vid);
        QTemporaryDir dir;
        const QList<DevInfoEntry> table = readDeviceTable(writeTable(dir, content), {});
        QCOMPARE(table.size(), entries);
        if (entries > 0)
            QCOMPARE(int(table.at(0).vid), vid);
        QVERIFY(readDeviceTable(dir.filePath("missing.ini"), {}).isEmpty());
    }

    void interfacesAreMatchedInAnyOrder_data()
    {
        QTest::addColumn<int>("interfaces");
        QTest::addColumn<bool>("found");
        QTest::newRow("both") << int(VirtualKeyboard::Interfaces::Both) << true;
        QTest::newRow("reversed") << int(VirtualKeyboard::Interfaces::Reversed) << true;
        QTest::newRow("command only") << int(VirtualKeyboard::Interfaces::CommandOnly) << false;
        QTest::newRow("input only") << int(VirtualKeyboard::Interfaces::InputOnly) << false;
    }
    void interfacesAreMatchedInAnyOrder()
    {
        QFETCH(int, interfaces);
        QFETCH(bool, found);
        DeviceFixture f;
        f.keyboard.setInterfaces(VirtualKeyboard::Interfaces(interfaces));
        f.rescan();
        const QList<DeviceSlot> list = f.hid.devices();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.at(0).name, QString("R7"));
        QCOMPARE(list.at(0).reportLength, 64);
        QCOMPARE(list.at(0).commandPath, found ? f.keyboard.commandNode() : QString());
        QCOMPARE(list.at(0).inputPath, found ? f.keyboard.inputNode() : QString());
    }

    void onlyTheFirstEntryIsMatched()
    {
        DeviceFixture f;
        QTemporaryDir dir;
        const QString path =
            writeTable(dir, "[common]\ntotal = 2\n[0]\nvid = 1209\npid = 0001\nusagePage = ff01\n"
                            "usage = 0001\nusagePage2 = ff02\nusage2 = 0001\nreportLength = 64\n"
                            "[1]\nvid = 1209\npid = 0001\nusagePage = ff01\nusage = 0001\n"
                            "usagePage2 = ff02\nusage2 = 0001\nreportLength = 32\n");
        f.hid.updateDeviceList(readDeviceTable(path, {"first"}));
        const QList<DeviceSlot> list = f.hid.devices();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0).commandPath, f.keyboard.commandNode());
        QCOMPARE(list.at(1).id, 1);
        QCOMPARE(list.at(1).name, QString()); // fewer product names than entries
        QCOMPARE(list.at(1).commandPath, QString());
        QCOMPARE(list.at(1).reportLength, 32);
        QCOMPARE(f.calls({Call::Enumerate}).size(), 1);
    }

    void emptyTableEmptiesTheList()
    {
        DeviceFixture f;
        f.hid.updateDeviceList({});
        QVERIFY(f.hid.devices().isEmpty());
        f.hid.swichCurDevice(0);
        QVERIFY(!f.hid.isWorkerRunning());
        uchar profile = 3;
        f.hid.hid_A1H_GetCurrentProfile(profile);
        QCOMPARE(profile, uchar(0));
        QCOMPARE(f.deviceCalls(), 0);
    }

    // A report length the transfers cannot honour means no keyboard to talk to.
    void absurdReportLengthSendsNothing_data()
    {
        QTest::addColumn<quint32>("reportLength");
        QTest::newRow("zero") << quint32(0);
        QTest::newRow("huge") << quint32(4000000000u);
    }
    void absurdReportLengthSendsNothing()
    {
        QFETCH(quint32, reportLength);
        DeviceFixture f;
        QList<DevInfoEntry> table = readDeviceTable(":/DevInfo.ini", {});
        table[0].reportLength = reportLength;
        f.hid.updateDeviceList(table);
        f.keyboard.clearCalls();
        auto block = pattern(1);
        f.hid.hid_0CH_SetKeyMatrix_1(block.data());
        QVERIFY(f.settle());
        f.hid.hid_8CH_GetKeyMatrix_1(block.data());
        QCOMPARE(f.deviceCalls(), 0);
    }

    void oddReportLengthsStayInsideTheBlock()
    {
        DeviceFixture f;
        QList<DevInfoEntry> table = readDeviceTable(":/DevInfo.ini", {});
        table[0].reportLength = 48;
        f.hid.updateDeviceList(table);
        f.keyboard.clearCalls();
        auto block = pattern(9);
        f.hid.hid_10H_SetMacroKey(3, block.data());
        QVERIFY(f.settle());
        const QList<Call> writes = f.calls({Call::Write});
        QCOMPARE(writes.size(), 3);
        for (const Call &w : writes)
            QCOMPARE(w.data.size(), 49);
        QCOMPARE(writes.at(2).data.mid(1), asBytes(block.data() + 96, 32) + QByteArray(16, '\0'));
    }
};

QTEST_GUILESS_MAIN(DeviceListTest)
#include "tst_devicelist.moc"
