#include "devicefixture.h"

#include <QElapsedTimer>

#include <functional>

namespace
{
struct SetCase {
    const char *name;
    std::function<void(Hid_Thread &, uchar *)> send;
    const char *report; // the 9 bytes handed to the feature send
    int dataBytes;      // length of the data phase taken from the caller's buffer
    int pauseMs;
    const char *busyText;
};

const QList<SetCase> &setCases()
{
    static const QList<SetCase> cases = {
        {"02H", [](Hid_Thread &h, uchar *) { h.hid_02H_SetKeyboardoption(1, 2, 3); },
         "00 02 01 02 03 00 55 AA 00", 0, 8, "cmd Failed 02"},
        {"04H", [](Hid_Thread &h, uchar *) { h.hid_04H_SetButtonSensitivity(9); },
         "00 04 09 00 00 00 55 AA 00", 0, 0, "cmd Failed 04"},
        {"08H", [](Hid_Thread &h, uchar *) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7); },
         "00 08 01 02 03 04 05 06 07", 0, 0, "cmd Failed 08"},
        {"09H", [](Hid_Thread &h, uchar *) { h.hid_09H_StopMacroSending(); },
         "00 09 AA CC EE 00 55 AA 00", 0, 0, "cmd Failed 09"},
        {"0CH", [](Hid_Thread &h, uchar *b) { h.hid_0CH_SetKeyMatrix_1(b); },
         "00 0C 00 00 00 00 55 AA 00", 128, 8, "cmd Failed 0C"},
        {"0DH", [](Hid_Thread &h, uchar *b) { h.hid_0DH_SetKeyMatrix_2(b); },
         "00 0D 00 00 00 00 55 AA 00", 128, 8, "cmd Failed 0D"},
        {"0FH", [](Hid_Thread &h, uchar *) { h.hid_0FH_SetISPBootLoader(); },
         "00 0F 5A A5 3C C3 69 96 0F", 0, 0, "cmd Failed 0F"},
        {"10H", [](Hid_Thread &h, uchar *b) { h.hid_10H_SetMacroKey(5, b); },
         "00 10 00 05 00 00 55 AA 00", 128, 8, "cmd Failed 10"},
        {"12H", [](Hid_Thread &h, uchar *b) { h.hid_12H_SetUserPicture(2, 3, b); },
         "00 12 00 02 03 00 55 AA 00", 128, 8, "cmd Failed 12"},
        {"13H", [](Hid_Thread &h, uchar *) { h.hid_13H_SetRecoveryData(); },
         "00 13 FF 1F 00 00 55 AA 00", 0, 0, "cmd Failed 13"},
        {"21H", [](Hid_Thread &h, uchar *) { h.hid_21H_SetCurrentProfile(3); },
         "00 21 03 00 00 00 55 AA 00", 0, 0, "cmd Failed 21"},
        {"30H", [](Hid_Thread &h, uchar *b) { h.hid_30H_SetSevenColor(b); },
         "00 30 00 00 00 00 55 AA 00", 64, 50, "cmd Failed 30"},
    };
    return cases;
}

void addSetRows()
{
    QTest::addColumn<int>("which");
    for (int i = 0; i < setCases().size(); ++i)
        QTest::newRow(setCases().at(i).name) << i;
}
} // namespace

class SetCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wireBytes_data() { addSetRows(); }
    void wireBytes()
    {
        QFETCH(int, which);
        const SetCase &c = setCases().at(which);
        DeviceFixture f;
        auto block = pattern(0x31);

        QElapsedTimer clock;
        clock.start();
        c.send(f.hid, block.data());
        const qint64 returnedAfter = clock.elapsed();
        // The caller may reuse its buffer as soon as the command returns.
        block.fill(0xEE);
        QVERIFY(f.settle());

        QList<QByteArray> expected{hex(c.report)};
        const auto sent = pattern(0x31);
        for (int offset = 0; offset < c.dataBytes; offset += 64)
            expected.append(dataReport(asBytes(sent.data() + offset, 64)));
        QCOMPARE(f.traffic(), expected);
        QVERIFY2(returnedAfter >= c.pauseMs, "the command returned before its pause");
        QCOMPARE(f.keyboard.openHandles(), 0);
    }

    void dataReportsArePacedAndEachOnAFreshHandle()
    {
        DeviceFixture f;
        auto block = pattern(1);
        f.hid.hid_10H_SetMacroKey(5, block.data());
        QVERIFY(f.settle());

        QList<Call::Kind> kinds;
        QList<Call> writes;
        for (const Call &call :
             f.calls({Call::Open, Call::Close, Call::SendFeatureReport, Call::Write})) {
            kinds.append(call.kind);
            if (call.kind == Call::Write)
                writes.append(call);
        }
        const QList<Call::Kind> expected{
            Call::Open,  Call::Close, Call::Open,  Call::SendFeatureReport,
            Call::Close, Call::Open,  Call::Write, Call::Close,
            Call::Open,  Call::Write, Call::Close};
        QCOMPARE(kinds, expected);
        QCOMPARE(writes.size(), 2);
        QVERIFY(writes.at(1).at - writes.at(0).at >= std::chrono::milliseconds(8));
        QCOMPARE(f.keyboard.firmware().macros.value(5), asBytes(block.data(), 128));
    }

    void consecutiveCommandsReachTheKeyboardOneAtATimeInOrder()
    {
        DeviceFixture f;
        // A slow keyboard keeps each transfer running while the next command is issued.
        f.keyboard.setLatency(3);
        std::array<std::array<uchar, 128>, 4> planes{pattern(10), pattern(20), pattern(30),
                                                     pattern(40)};
        for (uchar plane = 0; plane < 4; ++plane)
            f.hid.hid_12H_SetUserPicture(2, plane, planes[plane].data());
        f.hid.hid_21H_SetCurrentProfile(1);
        QVERIFY(f.settle());

        QList<QByteArray> expected;
        for (uchar plane = 0; plane < 4; ++plane) {
            QByteArray report = hex("00 12 00 02 00 00 55 AA 00");
            report[4] = char(plane);
            expected << report << dataReport(asBytes(planes[plane].data(), 64))
                     << dataReport(asBytes(planes[plane].data() + 64, 64));
        }
        expected << hex("00 21 01 00 00 00 55 AA 00");
        QCOMPARE(f.traffic(), expected);

        // Each picture plane went to profile 0, which was current until the last command.
        const VirtualFirmware firmware = f.keyboard.firmware();
        for (int plane = 0; plane < 4; ++plane)
            QCOMPARE(firmware.profiles.at(0).pictures.value(2 * 4 + plane),
                     asBytes(planes[size_t(plane)].data(), 128));
        QCOMPARE(firmware.currentProfile, quint8(1));
    }

    void commandStuckBehindABusyTransportIsDropped_data() { addSetRows(); }
    void commandStuckBehindABusyTransportIsDropped()
    {
        QFETCH(int, which);
        const SetCase &c = setCases().at(which);
        DeviceFixture f;
        FailureLog failures(f.hid);
        f.keyboard.setLatency(60000);
        f.hid.hid_04H_SetButtonSensitivity(1); // its transfer now hangs in the keyboard
        f.keyboard.clearCalls();

        auto block = pattern(2);
        QTest::ignoreMessage(QtDebugMsg, c.busyText);
        c.send(f.hid, block.data());
        QCOMPARE(f.deviceCalls(), 0);

        f.keyboard.setLatency(0);
        QVERIFY(f.settle());
        // The dropped command sent nothing, and the transfer that held the transport ran out of
        // time before its command report: neither passes for done.
        QCOMPARE(f.traffic(), QList<QByteArray>());
        const uchar code = uchar(QByteArray::fromHex(c.report).at(1));
        QTRY_COMPARE(failures.codes, (QList<uchar>{code, 0x04}));
    }

    void refusedKeyboardGetsNoSetCommand()
    {
        DeviceFixture f;
        f.hid.setKeyboardAccepted(false);
        auto block = pattern(3);
        f.hid.hid_0CH_SetKeyMatrix_1(block.data());
        QVERIFY(f.settle());
        f.hid.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7);
        QVERIFY(f.settle());
        QCOMPARE(f.deviceCalls(), 0);
        f.hid.setKeyboardAccepted(true);
    }

    void failedOpenForgetsTheKeyboardUntilTheNextScan()
    {
        DeviceFixture f;
        f.keyboard.unplug();
        f.hid.hid_21H_SetCurrentProfile(2);
        QVERIFY(f.settle());
        QCOMPARE(f.calls({Call::Open}).size(), 1);
        QVERIFY(f.hid.devices().at(0).commandPath.isEmpty());

        f.keyboard.plug();
        f.keyboard.clearCalls();
        f.hid.hid_21H_SetCurrentProfile(2);
        QVERIFY(f.settle());
        QCOMPARE(f.deviceCalls(), 0);

        f.rescan();
        f.hid.hid_21H_SetCurrentProfile(2);
        QVERIFY(f.settle());
        QCOMPARE(f.traffic(), QList<QByteArray>{hex("00 21 02 00 00 00 55 AA 00")});
        QCOMPARE(f.keyboard.firmware().currentProfile, quint8(2));
    }

    void keyboardGoneMidTransferFreesTheTransport()
    {
        DeviceFixture f;
        const QByteArray factory = f.keyboard.firmware().profiles.at(0).keyMatrix;
        auto block = pattern(4);
        f.keyboard.setLatency(20);
        f.hid.hid_0CH_SetKeyMatrix_1(block.data());
        f.keyboard.unplug();
        f.keyboard.setLatency(0);
        QVERIFY(f.settle());
        QCOMPARE(f.keyboard.openHandles(), 0);
        // Half a key matrix never reaches the keyboard's flash.
        QCOMPARE(f.keyboard.firmware().profiles.at(0).keyMatrix, factory);
    }

    void bootLoaderUnlockMakesTheKeyboardLeave()
    {
        DeviceFixture f;
        f.hid.hid_0FH_SetISPBootLoader();
        QVERIFY(f.settle());
        QVERIFY(!f.keyboard.isPlugged());
    }
};

QTEST_GUILESS_MAIN(SetCommandsTest)
#include "tst_setcommands.moc"
