#include "devicefixture.h"

#include <QCoreApplication>

class GetCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersComeFromTheKeyboardsState()
    {
        DeviceFixture f;
        const VirtualFirmware firmware = configuredFirmware();
        f.keyboard.setFirmware(firmware);
        const auto &profile = firmware.profiles.at(2);

        uchar b1 = 0, b2 = 0, b3 = 0;
        f.hid.hid_82H_GetKeyboardoption(b1, b2, b3);
        QCOMPARE(QList<uchar>({b1, b2, b3}), QList<uchar>({0x01, 0x5A, 0xC3}));

        uchar sens = 0;
        f.hid.hid_84H_GetButtonSensitivity(sens);
        QCOMPARE(sens, uchar(7));

        std::array<uchar, 7> led{};
        QVERIFY(f.hid.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]));
        QCOMPARE(asBytes(led.data(), 7), asBytes(profile.ledType.data(), 7));

        std::array<uchar, 256> matrix{};
        f.hid.hid_8CH_GetKeyMatrix_1(matrix.data());
        f.hid.hid_8DH_GetKeyMatrix_2(matrix.data() + 128);
        QCOMPARE(asBytes(matrix.data(), 256), profile.keyMatrix);

        std::array<uchar, 128> block{};
        f.hid.hid_90H_GetMacroKey(9, block.data());
        QCOMPARE(asBytes(block.data(), 128), firmware.macros.value(9));
        f.hid.hid_92H_GetUserPicture(2, 3, block.data());
        QCOMPARE(asBytes(block.data(), 128), profile.pictures.value(2 * 4 + 3));

        std::array<uchar, 64> colors{};
        QVERIFY(f.hid.hid_B0H_GetSevenColor(colors.data()));
        QCOMPARE(asBytes(colors.data(), 64), profile.sevenColor);

        uchar current = 0xFF;
        f.hid.hid_A1H_GetCurrentProfile(current);
        QCOMPARE(current, uchar(2));

        const QList<QByteArray> requests{
            hex("00 82 00 00 00 00 55 AA 00"), hex("00 84 00 00 00 00 55 AA 00"),
            hex("00 88 00 00 00 00 55 AA 00"), hex("00 8C 00 00 00 00 55 AA 00"),
            hex("00 8D 00 00 00 00 55 AA 00"), hex("00 90 00 09 00 00 55 AA 00"),
            hex("00 92 00 02 03 00 55 AA 00"), hex("00 B0 00 00 00 00 55 AA 00"),
            hex("00 A1 00 00 00 00 55 AA 00")};
        QCOMPARE(f.traffic(), requests);
        QCOMPARE(f.keyboard.openHandles(), 0);
    }

    void firmwareVersionDecoding()
    {
        DeviceFixture f;
        f.keyboard.setIdentity({0x0102, 0x04, 0x33, 0x44});
        ushort version = 0;
        uchar mode = 0, code0 = 0, code1 = 0;
        f.hid.hid_80H_GetFWVersion(version, mode, code0, code1);
        QCOMPARE(version, ushort(0x0102));
        QCOMPARE(mode, uchar(2));
        QCOMPARE(code0, uchar(0x33));
        QCOMPARE(code1, uchar(0x44));
        QCOMPARE(f.traffic(), QList<QByteArray>{hex("00 80 00 00 00 00 55 AA 00")});
    }

    void keyMatrixReadMakesTheSpecifiedCalls()
    {
        DeviceFixture f;
        std::array<uchar, 128> block{};
        f.hid.hid_8CH_GetKeyMatrix_1(block.data());

        const QString path = f.keyboard.commandNode();
        QList<Call::Kind> kinds;
        for (const Call &call : f.keyboard.calls()) {
            QCOMPARE(call.path, path);
            if (call.kind == Call::SetNonblocking)
                QCOMPARE(call.data, QByteArray(1, '\0')); // every handle is blocking
            else
                kinds.append(call.kind);
        }
        const QList<Call::Kind> expected{Call::Open,
                                         Call::Close,
                                         Call::Open,
                                         Call::SendFeatureReport,
                                         Call::Close,
                                         Call::Open,
                                         Call::GetFeatureReport,
                                         Call::Close,
                                         Call::Open,
                                         Call::ReadTimeout,
                                         Call::Close,
                                         Call::Open,
                                         Call::ReadTimeout,
                                         Call::Close};
        QCOMPARE(kinds, expected);
        for (const Call &call : f.calls({Call::SendFeatureReport, Call::GetFeatureReport}))
            QCOMPARE(call.data.size(), 9);
        for (const Call &call : f.calls({Call::ReadTimeout}))
            QCOMPARE(call.data.size(), 64); // of a 65-byte buffer: no report ID on input
    }

    // What each get delivers when the keyboard does not answer in full.
    void failuresDeliverThePrefilledValues_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("no feature answer") << 0;
        QTest::newRow("no data reports") << 1;
        QTest::newRow("second data report missing") << 2;
        QTest::newRow("unplugged") << 3;
    }
    void failuresDeliverThePrefilledValues()
    {
        QFETCH(int, failure);
        DeviceFixture f;
        f.keyboard.setFirmware(configuredFirmware());
        switch (failure) {
        case 0:
            f.keyboard.setAnswersFeatureReports(false);
            break;
        case 1:
            f.keyboard.setDataReportsPerQuery(0);
            break;
        case 2:
            f.keyboard.setDataReportsPerQuery(1);
            break;
        default:
            f.keyboard.unplug();
            break;
        }
        const bool answers = failure == 1 || failure == 2; // the feature answer still came
        // Each query on a turn of the event loop of its own, as a click asks it: a failed query
        // holds the ones right behind it. Unplugged, the failed open made the object forget the
        // keyboard.
        const auto nextQuery = [&] {
            QCoreApplication::processEvents();
            if (failure == 3)
                f.rescan();
        };

        uchar b1 = 0xA1, b2 = 0xA2, b3 = 0xA3;
        f.hid.hid_82H_GetKeyboardoption(b1, b2, b3);
        QCOMPARE(QList<uchar>({b1, b2, b3}),
                 answers ? QList<uchar>({0x01, 0x5A, 0xC3}) : QList<uchar>({0xA1, 0xA2, 0xA3}));
        nextQuery();

        uchar sens = 0x77;
        f.hid.hid_84H_GetButtonSensitivity(sens);
        QCOMPARE(sens, answers ? uchar(7) : uchar(0x77));
        nextQuery();

        std::array<uchar, 7> led{9, 8, 7, 6, 5, 4, 3};
        const bool ledOk =
            f.hid.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]);
        QCOMPARE(ledOk, answers);
        QCOMPARE(asBytes(led.data(), 7),
                 answers ? hex("05 2D 03 01 06 41 9A") : hex("09 08 07 06 05 04 03"));
        nextQuery();

        uchar profile = 0x55;
        f.hid.hid_A1H_GetCurrentProfile(profile);
        QCOMPARE(profile, answers ? uchar(2) : uchar(0));
        nextQuery();

        ushort version = 0x1234;
        uchar mode = 1, code0 = 2, code1 = 3;
        f.hid.hid_80H_GetFWVersion(version, mode, code0, code1);
        QCOMPARE(version, answers ? ushort(0x0102) : ushort(0x1234));
        QCOMPARE(code0, answers ? uchar(0x11) : uchar(2));
        nextQuery();

        // Block reads: bytes not received keep the caller's own values.
        auto caller = pattern(0xC0);
        std::array<uchar, 128> block = caller;
        f.hid.hid_8CH_GetKeyMatrix_1(block.data());
        const auto keyboardHalf = pattern(0x10);
        QByteArray expected = asBytes(caller.data(), 128);
        if (failure == 2)
            expected.replace(0, 64, asBytes(keyboardHalf.data(), 64));
        QCOMPARE(asBytes(block.data(), 128), expected);
        nextQuery();

        // The colour table fits in one data report, which the "second report missing"
        // keyboard still sends.
        std::array<uchar, 64> colors{};
        std::fill(colors.begin(), colors.end(), uchar(0x3C));
        const bool oneReportCame = failure == 2;
        QCOMPARE(f.hid.hid_B0H_GetSevenColor(colors.data()), oneReportCame);
        const auto keyboardColors = pattern(0x40);
        QCOMPARE(asBytes(colors.data(), 64),
                 oneReportCame ? asBytes(keyboardColors.data(), 64) : QByteArray(64, char(0x3C)));

        QVERIFY(f.hid.isTransportIdle());
        QCOMPARE(f.keyboard.openHandles(), 0);
        QCOMPARE(f.hid.isKeyboardAccepted(), true);
    }

    void shortDataReportsLeaveTheRestZero()
    {
        DeviceFixture f;
        f.keyboard.setFirmware(configuredFirmware());
        f.keyboard.setShortDataReports(true);
        std::array<uchar, 64> colors{};
        std::fill(colors.begin(), colors.end(), uchar(0xFF));
        QVERIFY(f.hid.hid_B0H_GetSevenColor(colors.data()));
        const auto sent = pattern(0x40);
        QCOMPARE(asBytes(colors.data(), 64), asBytes(sent.data(), 32) + QByteArray(32, '\0'));
    }

    void refusedKeyboardIsOnlyAskedForItsVersion()
    {
        DeviceFixture f;
        f.hid.setKeyboardAccepted(false);
        uchar sens = 4;
        f.hid.hid_84H_GetButtonSensitivity(sens);
        QCOMPARE(sens, uchar(4));
        uchar profile = 9;
        f.hid.hid_A1H_GetCurrentProfile(profile);
        QCOMPARE(profile, uchar(0));
        std::array<uchar, 128> block{};
        f.hid.hid_92H_GetUserPicture(1, 1, block.data());
        QCOMPARE(f.deviceCalls(), 0);

        ushort version = 0;
        uchar mode = 0, code0 = 0, code1 = 0;
        f.hid.hid_80H_GetFWVersion(version, mode, code0, code1);
        QCOMPARE(version, ushort(0x0102));
        QCOMPARE(f.traffic(), QList<QByteArray>{hex("00 80 00 00 00 00 55 AA 00")});
        QVERIFY(f.hid.isKeyboardAccepted());
    }

    void getAfterSetWaitsForTheSetTransfer()
    {
        DeviceFixture f;
        f.keyboard.setLatency(5);
        auto low = pattern(0x01);
        auto high = pattern(0x81);
        f.hid.hid_0CH_SetKeyMatrix_1(low.data());
        f.hid.hid_0DH_SetKeyMatrix_2(high.data());
        std::array<uchar, 256> matrix{};
        f.hid.hid_8CH_GetKeyMatrix_1(matrix.data());
        f.hid.hid_8DH_GetKeyMatrix_2(matrix.data() + 128);
        QCOMPARE(asBytes(matrix.data(), 256), asBytes(low.data(), 128) + asBytes(high.data(), 128));
    }

    void getStuckBehindABusyTransportIsDropped()
    {
        DeviceFixture f;
        f.keyboard.setLatency(60000);
        f.hid.hid_04H_SetButtonSensitivity(1);
        std::array<uchar, 7> led{1, 2, 3, 4, 5, 6, 7};
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        QVERIFY(!f.hid.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]));
        QCOMPARE(asBytes(led.data(), 7), hex("01 02 03 04 05 06 07"));
        f.keyboard.setLatency(0);
        QVERIFY(f.settle());
    }

    // The keyboard keeps lighting, colours, key matrix and pictures per profile; 21H picks one
    // and 13H restores what left the factory.
    void profilesAndFactoryReset()
    {
        DeviceFixture f;
        const VirtualFirmware factory = f.keyboard.firmware();
        f.hid.hid_21H_SetCurrentProfile(1);
        f.hid.hid_08H_SetLEDType(0x33, 10, 2, 1, 3, 0, 0);
        auto low = pattern(0x05);
        f.hid.hid_0CH_SetKeyMatrix_1(low.data());
        f.hid.hid_21H_SetCurrentProfile(0);
        std::array<uchar, 7> led{};
        QVERIFY(f.hid.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]));
        QCOMPARE(asBytes(led.data(), 7), asBytes(factory.profiles.at(0).ledType.data(), 7));

        f.hid.hid_21H_SetCurrentProfile(1);
        QVERIFY(f.hid.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]));
        QCOMPARE(asBytes(led.data(), 7), hex("33 0A 02 01 03 00 00"));
        std::array<uchar, 128> block{};
        f.hid.hid_8CH_GetKeyMatrix_1(block.data());
        QCOMPARE(asBytes(block.data(), 128), asBytes(low.data(), 128));

        f.hid.hid_13H_SetRecoveryData();
        uchar profile = 9;
        f.hid.hid_A1H_GetCurrentProfile(profile);
        QCOMPARE(profile, uchar(0));
        f.hid.hid_21H_SetCurrentProfile(1);
        QVERIFY(f.hid.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]));
        QCOMPARE(asBytes(led.data(), 7), asBytes(factory.profiles.at(1).ledType.data(), 7));

        // A profile the keyboard does not have is refused; the current one stays.
        f.hid.hid_21H_SetCurrentProfile(VirtualFirmware::profileCount);
        f.hid.hid_A1H_GetCurrentProfile(profile);
        QCOMPARE(profile, uchar(1));
    }
};

QTEST_GUILESS_MAIN(GetCommandsTest)
#include "tst_getcommands.moc"
