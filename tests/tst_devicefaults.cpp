// Every command against a keyboard that fails it: each hidapi call of the command in turn fails,
// moves nothing, or finds the keyboard gone. Nothing may crash, hang, deliver bytes the keyboard
// never sent, or pass for success.

#include "devicefixture.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

namespace
{
using Fault = VirtualKeyboard::Fault;

// A failed command ends well within this: its transfer stops calling the keyboard after 2 s.
constexpr qint64 commandBoundMs = 4000;

struct CommandCase {
    const char *name;
    uchar code;
    // Runs the command. A get starts from outputs filled with `mark` and returns them as bytes;
    // `ok` is its bool result where it has one, false otherwise.
    std::function<QByteArray(Hid_Thread &, uchar mark, bool &ok)> run;
};

QByteArray getBytes(std::initializer_list<uchar> bytes)
{
    return QByteArray(reinterpret_cast<const char *>(std::data(bytes)), qsizetype(bytes.size()));
}

template <int N> QByteArray block(void (Hid_Thread::*get)(uchar *), Hid_Thread &h, uchar mark)
{
    std::array<uchar, N> buffer{};
    buffer.fill(mark);
    (h.*get)(buffer.data());
    return asBytes(buffer.data(), N);
}

// Commands without a result never claim success.
QByteArray noOutputs(bool &ok)
{
    ok = false;
    return QByteArray();
}

const QList<CommandCase> &commandCases()
{
    static const auto macro = pattern(0x21);
    static const QList<CommandCase> cases = {
        {"02H", 0x02,
         [](Hid_Thread &h, uchar, bool &ok) {
             h.hid_02H_SetKeyboardoption(1, 2, 3);
             return noOutputs(ok);
         }},
        {"04H", 0x04,
         [](Hid_Thread &h, uchar, bool &ok) {
             h.hid_04H_SetButtonSensitivity(9);
             return noOutputs(ok);
         }},
        {"08H", 0x08,
         [](Hid_Thread &h, uchar, bool &ok) {
             h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7);
             return noOutputs(ok);
         }},
        {"09H", 0x09,
         [](Hid_Thread &h, uchar, bool &ok) {
             h.hid_09H_StopMacroSending();
             return noOutputs(ok);
         }},
        {"0CH", 0x0C,
         [](Hid_Thread &h, uchar, bool &ok) {
             auto b = macro;
             h.hid_0CH_SetKeyMatrix_1(b.data());
             return noOutputs(ok);
         }},
        {"0DH", 0x0D,
         [](Hid_Thread &h, uchar, bool &ok) {
             auto b = macro;
             h.hid_0DH_SetKeyMatrix_2(b.data());
             return noOutputs(ok);
         }},
        {"0FH", 0x0F,
         [](Hid_Thread &h, uchar, bool &ok) {
             h.hid_0FH_SetISPBootLoader();
             return noOutputs(ok);
         }},
        {"10H", 0x10,
         [](Hid_Thread &h, uchar, bool &ok) {
             auto b = macro;
             h.hid_10H_SetMacroKey(5, b.data());
             return noOutputs(ok);
         }},
        {"12H", 0x12,
         [](Hid_Thread &h, uchar, bool &ok) {
             auto b = macro;
             h.hid_12H_SetUserPicture(2, 3, b.data());
             return noOutputs(ok);
         }},
        {"13H", 0x13,
         [](Hid_Thread &h, uchar, bool &ok) {
             h.hid_13H_SetRecoveryData();
             return noOutputs(ok);
         }},
        {"21H", 0x21,
         [](Hid_Thread &h, uchar, bool &ok) {
             h.hid_21H_SetCurrentProfile(1);
             return noOutputs(ok);
         }},
        {"30H", 0x30,
         [](Hid_Thread &h, uchar, bool &ok) {
             auto b = macro;
             h.hid_30H_SetSevenColor(b.data());
             return noOutputs(ok);
         }},
        {"80H", 0x80,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             ushort version = ushort(mark * 257);
             uchar mode = mark, code0 = mark, code1 = mark;
             h.hid_80H_GetFWVersion(version, mode, code0, code1);
             ok = false;
             return getBytes({uchar(version >> 8), uchar(version), mode, code0, code1});
         }},
        {"82H", 0x82,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             uchar b1 = mark, b2 = mark, b3 = mark;
             h.hid_82H_GetKeyboardoption(b1, b2, b3);
             ok = false;
             return getBytes({b1, b2, b3});
         }},
        {"84H", 0x84,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             uchar sens = mark;
             h.hid_84H_GetButtonSensitivity(sens);
             ok = false;
             return getBytes({sens});
         }},
        {"88H", 0x88,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             std::array<uchar, 7> l{};
             l.fill(mark);
             ok = h.hid_88H_GetLEDType(l[0], l[1], l[2], l[3], l[4], l[5], l[6]);
             return asBytes(l.data(), 7);
         }},
        {"8CH", 0x8C,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             ok = false;
             return block<128>(&Hid_Thread::hid_8CH_GetKeyMatrix_1, h, mark);
         }},
        {"8DH", 0x8D,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             ok = false;
             return block<128>(&Hid_Thread::hid_8DH_GetKeyMatrix_2, h, mark);
         }},
        {"90H", 0x90,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             std::array<uchar, 128> b{};
             b.fill(mark);
             h.hid_90H_GetMacroKey(9, b.data());
             ok = false;
             return asBytes(b.data(), 128);
         }},
        {"92H", 0x92,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             std::array<uchar, 128> b{};
             b.fill(mark);
             h.hid_92H_GetUserPicture(2, 3, b.data());
             ok = false;
             return asBytes(b.data(), 128);
         }},
        {"A1H", 0xA1,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             uchar profile = mark;
             h.hid_A1H_GetCurrentProfile(profile);
             ok = false;
             return getBytes({profile});
         }},
        {"B0H", 0xB0,
         [](Hid_Thread &h, uchar mark, bool &ok) {
             std::array<uchar, 64> b{};
             b.fill(mark);
             ok = h.hid_B0H_GetSevenColor(b.data());
             return asBytes(b.data(), 64);
         }},
    };
    return cases;
}

} // namespace

class DeviceFaultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void faultAtEveryCall_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("fault");
        const QList<QPair<const char *, Fault>> faults{{"fails", Fault::Fail},
                                                       {"moves nothing", Fault::Empty},
                                                       {"keyboard gone", Fault::Vanish}};
        for (int i = 0; i < commandCases().size(); ++i)
            for (const auto &fault : faults)
                QTest::addRow("%s, call %s", commandCases().at(i).name, fault.first)
                    << i << int(fault.second);
    }
    void faultAtEveryCall()
    {
        QFETCH(int, which);
        QFETCH(int, fault);
        const CommandCase &c = commandCases().at(which);
        constexpr uchar mark = 0xEE;

        QByteArray answer;
        {
            DeviceFixture f;
            f.keyboard.setFirmware(configuredFirmware());
            bool ok = false;
            answer = c.run(f.hid, mark, ok);
            QVERIFY(f.settle());
            QVERIFY(ok || (c.code != 0x88 && c.code != 0xB0));
        }

        int k = 1;
        for (;; ++k) {
            DeviceFixture f;
            f.keyboard.setFirmware(configuredFirmware());
            FailureLog failures(f.hid);
            f.keyboard.armFault(Fault(fault), k);
            QElapsedTimer clock;
            clock.start();
            bool ok = true;
            const QByteArray outputs = c.run(f.hid, mark, ok);
            QVERIFY(f.settle());
            QVERIFY2(clock.elapsed() < commandBoundMs, qPrintable(QString::number(k)));
            if (!f.keyboard.faultStruck())
                break; // the command makes fewer than k calls
            const QByteArray where = "call " + QByteArray::number(k);

            QVERIFY2(!ok, where);
            QTRY_COMPARE_WITH_TIMEOUT(failures.codes, QList<uchar>{c.code}, 5000);
            // Each output byte is the caller's own or the keyboard's, never anything else; the
            // profile query alone answers 0 for a keyboard that did not answer.
            for (int i = 0; i < outputs.size(); ++i) {
                const char got = outputs.at(i);
                QVERIFY2(got == char(mark) || got == answer.at(i) || (c.code == 0xA1 && got == 0),
                         where + " byte " + QByteArray::number(i));
            }
            QVERIFY(f.hid.isTransportIdle());
            QCOMPARE(f.keyboard.openHandles(), 0);
        }
        QVERIFY2(k > 2, "the fault never struck");
    }

    // A keyboard that answers each call after a second: what the user waits for stays bounded.
    void slowKeyboardWaitsAreBounded()
    {
        VirtualKeyboard keyboard;
        auto hid = std::make_unique<Hid_Thread>(keyboard);
        hid->updateDeviceList(readDeviceTable(QStringLiteral(":/DevInfo.ini"), {"R7"}));
        FailureLog failures(*hid);
        keyboard.setLatency(1000);

        QElapsedTimer clock;
        clock.start();
        std::array<uchar, 128> matrix{};
        hid->hid_8CH_GetKeyMatrix_1(matrix.data());
        const qint64 getMs = clock.elapsed();
        QVERIFY2(getMs < commandBoundMs, qPrintable(QString::number(getMs)));
        QTRY_COMPARE(failures.codes, QList<uchar>{0x8C});

        hid->hid_10H_SetMacroKey(1, matrix.data());
        clock.restart();
        hid.reset();
        const qint64 shutdownMs = clock.elapsed();
        QVERIFY2(shutdownMs < 2500, qPrintable(QString::number(shutdownMs)));
        keyboard.setLatency(0);
    }

    // A page reloading after a profile switch asks three queries in a row. Once one of them got
    // no answer, the others fail at once, untold and without a call into the keyboard, until
    // the event loop turns: the window is not held for each of them in turn.
    void queriesAfterAnUnansweredOneFailAtOnce()
    {
        DeviceFixture f;
        FailureLog failures(f.hid);
        f.keyboard.setAnswersFeatureReports(false);
        uchar byte1 = 0, byte2 = 0, byte3 = 0;
        f.hid.hid_82H_GetKeyboardoption(byte1, byte2, byte3);
        const int callsOfTheFirst = f.deviceCalls();
        f.keyboard.setAnswersFeatureReports(true);

        std::array<uchar, 7> led{};
        QVERIFY(!f.hid.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]));
        std::array<uchar, 64> colours{};
        QVERIFY(!f.hid.hid_B0H_GetSevenColor(colours.data()));
        QCOMPARE(f.deviceCalls(), callsOfTheFirst);
        QTRY_COMPARE(failures.codes, QList<uchar>{0x82});

        QVERIFY(f.hid.hid_B0H_GetSevenColor(colours.data()));
        QCOMPARE(failures.codes, QList<uchar>{0x82});
    }

    // A worker that found the keyboard gone must be done with the object before it goes.
    void unplugDuringShutdown()
    {
        for (int round = 0; round < 200; ++round) {
            auto f = std::make_unique<DeviceFixture>();
            f->hid.swichCurDevice(0);
            auto block = pattern(uchar(round));
            f->hid.hid_0CH_SetKeyMatrix_1(block.data());
            f->keyboard.unplug();
            if (round % 2)
                QThread::yieldCurrentThread();
            f.reset();
        }
    }
};

QTEST_GUILESS_MAIN(DeviceFaultsTest)
#include "tst_devicefaults.moc"
