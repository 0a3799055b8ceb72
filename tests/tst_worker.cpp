#include "devicefixture.h"

#include <QThread>

class WorkerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notificationReachesTheGuiThreadAsSevenValues()
    {
        DeviceFixture f;
        QList<QVariantList> received;
        QList<QThread *> threads;
        QObject receiver;
        connect(&f.hid, &Hid_Thread::ledStateReceived, &receiver, [&](const QVariantList &ledType) {
            received.append(ledType);
            threads.append(QThread::currentThread());
        });
        f.hid.swichCurDevice(0);
        QVERIFY(f.hid.isWorkerRunning());

        f.keyboard.changeLighting({2, 3, 1, 0, 5, 0, 1});
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 3000);
        QCOMPARE(received.at(0), QVariantList({2, 3, 1, 0, 5, 0, 1}));
        QCOMPARE(threads.at(0), QThread::currentThread());
    }

    // Only a report of the notification's 12 bytes is one: a report of any other length, up to
    // past the largest the interface sends, changes nothing, even when it starts like one.
    void malformedNotificationsChangeNothing()
    {
        DeviceFixture f;
        WorkerLog log(f.hid);
        f.hid.swichCurDevice(0);
        const QByteArray start = hex("05 88 00 00 09 09 09 09 09 09 09 09");
        for (int length = 0; length <= 66; ++length) {
            if (length != 12)
                f.keyboard.sendInputReport(start.leftJustified(length, '\x09', true));
        }
        f.keyboard.changeLighting({1, 63, 7, 1, 6, 2, 3});
        QTRY_COMPARE_WITH_TIMEOUT(log.ledStates.size(), 1, 3000);
        QCOMPARE(log.ledStates.at(0), QVariantList({1, 63, 7, 1, 6, 2, 3}));
    }

    // Where both collections share a node the worker receives a copy of every data report of a
    // query: only a report of the notification's length is a lighting change.
    void queryDataOnASharedNodeIsNoNotification()
    {
        DeviceFixture f;
        f.keyboard.setNodes(VirtualKeyboard::Nodes::Shared);
        f.rescan();
        WorkerLog log(f.hid);
        f.hid.swichCurDevice(0);
        QTRY_VERIFY(f.keyboard.openHandles() > 0); // the worker listens

        std::array<uchar, 128> block{};
        f.hid.hid_8CH_GetKeyMatrix_1(block.data());
        QCOMPARE(asBytes(block.data(), 128),
                 f.keyboard.firmware().profiles.at(0).keyMatrix.left(128));
        f.keyboard.changeLighting({1, 63, 7, 1, 6, 2, 3});
        QTRY_COMPARE_WITH_TIMEOUT(log.ledStates.size(), 1, 3000);
        // A data report taken for a notification would have come first.
        QCOMPARE(log.ledStates.at(0), QVariantList({1, 63, 7, 1, 6, 2, 3}));
    }

    void unplugEndsTheWorker()
    {
        DeviceFixture f;
        WorkerLog log(f.hid);
        f.hid.swichCurDevice(0);
        QTest::qWait(50);
        QTest::ignoreMessage(QtDebugMsg, "Device removed");
        f.keyboard.unplug();
        QTRY_VERIFY_WITH_TIMEOUT(!f.hid.isWorkerRunning(), 3000);
        QTRY_COMPARE(log.removals, 1);
        QVERIFY(f.hid.devices().at(0).inputPath.isEmpty());
        QCOMPARE(f.keyboard.openHandles(), 0);

        // Until the next device check the slot has no input interface: a worker started there
        // ends at once and says so, instead of claiming to listen.
        f.keyboard.plug();
        QTest::ignoreMessage(QtDebugMsg, "Device removed");
        f.hid.swichCurDevice(0);
        QTRY_VERIFY_WITH_TIMEOUT(!f.hid.isWorkerRunning(), 3000);
        QTRY_COMPARE(log.removals, 2);
    }

    void noWorkerWithoutTheKeyboard_data()
    {
        QTest::addColumn<int>("interfaces");
        QTest::newRow("unplugged") << -1;
        QTest::newRow("command interface only") << int(VirtualKeyboard::Interfaces::CommandOnly);
        QTest::newRow("input interface only") << int(VirtualKeyboard::Interfaces::InputOnly);
    }
    void noWorkerWithoutTheKeyboard()
    {
        QFETCH(int, interfaces);
        DeviceFixture f;
        if (interfaces < 0)
            f.keyboard.unplug();
        else
            f.keyboard.setInterfaces(VirtualKeyboard::Interfaces(interfaces));
        f.rescan();
        f.hid.swichCurDevice(0);
        QVERIFY(!f.hid.isWorkerRunning());
        QCOMPARE(f.hid.selectedDevice(), 0);
    }

    void switchingToAnEmptySlotLeavesTheWorkerAlone()
    {
        DeviceFixture f;
        QList<DevInfoEntry> table = readDeviceTable(":/DevInfo.ini", {});
        table.append(DevInfoEntry{0x1209, 0x0002, 0xFF01, 1, 0xFF02, 1, "other", 64});
        f.hid.updateDeviceList(table);
        f.hid.swichCurDevice(0);
        f.hid.swichCurDevice(1);
        QCOMPARE(f.hid.selectedDevice(), 1);
        QVERIFY(f.hid.isWorkerRunning());
        f.hid.swichCurDevice(7);
        QCOMPARE(f.hid.selectedDevice(), 7);
        QVERIFY(f.hid.isWorkerRunning());
    }

    void restartingWaitsForTheOldWorker()
    {
        DeviceFixture f;
        f.hid.swichCurDevice(0);
        QTest::qWait(100);
        f.hid.swichCurDevice(0);
        QTest::qWait(100);
        f.hid.stopWorker();
        QVERIFY(!f.hid.isWorkerRunning());

        // Two workers at once would open the input interface twice without closing it between.
        int open = 0;
        const QString input = f.keyboard.inputNode();
        for (const Call &call : f.keyboard.calls()) {
            if (call.path != input)
                continue;
            if (call.kind == Call::Open && call.result == 0)
                QCOMPARE(++open, 1);
            if (call.kind == Call::Close)
                --open;
        }
        QCOMPARE(open, 0);
        QCOMPARE(f.keyboard.openHandles(), 0);
    }

    void stopWithoutWorkerReturnsAtOnce()
    {
        DeviceFixture f;
        QElapsedTimer clock;
        clock.start();
        f.hid.stopWorker();
        QVERIFY(clock.elapsed() < 400); // a running worker would take up to a 500 ms pass
        QCOMPARE(f.deviceCalls(), 0);
    }

    void commandsRunBesideTheWorker()
    {
        DeviceFixture f;
        f.hid.swichCurDevice(0);
        auto block = pattern(7);
        f.hid.hid_10H_SetMacroKey(1, block.data());
        QVERIFY(f.settle());
        QCOMPARE(f.keyboard.firmware().macros.value(1), asBytes(block.data(), 128));
        QVERIFY(f.hid.isWorkerRunning());
    }
};

QTEST_GUILESS_MAIN(WorkerTest)
#include "tst_worker.moc"
