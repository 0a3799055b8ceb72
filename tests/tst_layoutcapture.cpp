#include "capture/inputhook.h"
#include "capture/keyrecord_linux.h"

#include <QMap>
#include <QSettings>
#include <QTest>

// Every key of the shipped R7 layout, pressed on a Linux desktop, must be recorded as the usage
// the keyboard itself sends for it and under the name the key-code table gives it: otherwise a
// recorded macro would replay another key than the one pressed.
class LayoutCaptureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        InputHook hook(false, nullptr);
        hook.setKeyCallback(
            [](std::uint8_t usage, bool down, void *self) {
                if (down)
                    static_cast<LayoutCaptureTest *>(self)->lastUsage = usage;
            },
            this);
        for (unsigned linuxCode = 1; linuxCode < 256; ++linuxCode) {
            KeyRecordBuilder builder;
            lastUsage = 0;
            for (bool down : {true, false}) {
                const KeyRecord record = builder.record(linuxCode, down);
                hook.keyboardProcedure(0, record.message, record.scanCode, record.flags);
            }
            if (lastUsage != 0)
                capturedFrom.insert(lastUsage, linuxCode);
        }

        QSettings codes(R7_MODULES_DIR "/setting/KeyCodeDef.bin", QSettings::IniFormat);
        const QStringList names = codes.value("common/usbStr").toStringList();
        const QStringList usages = codes.value("common/usbCode").toStringList();
        QCOMPARE(names.size(), usages.size());
        for (int i = 0; i < names.size(); ++i)
            usageOfName.insert(names.at(i), usages.at(i).toInt());
    }

    void everyKeyIsRecordedAsItself_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("defaultCode");
        QSettings layout(R7_MODULES_DIR "/setting/HWDef.bin", QSettings::IniFormat);
        const int total = layout.value("1/total_HW").toInt();
        QVERIFY(total > 100);
        for (int i = 1; i <= total; ++i) {
            const QStringList key = layout.value(QString("1/%1").arg(i)).toStringList();
            QCOMPARE(key.size(), 6);
            const int code = key.at(5).toInt();
            // Fn never leaves the keyboard; it has no usage to record.
            if (code >> 12 != 0)
                continue;
            QTest::newRow(qPrintable(key.at(3))) << key.at(3) << code;
        }
    }
    void everyKeyIsRecordedAsItself()
    {
        QFETCH(QString, name);
        QFETCH(int, defaultCode);
        QVERIFY2(usageOfName.contains(name), "the key's label is not in the key-code table");
        QCOMPARE(usageOfName.value(name), defaultCode);
        QVERIFY2(capturedFrom.contains(defaultCode), "no Linux key is recorded as this usage");
    }

private:
    int lastUsage = 0;
    QMap<int, unsigned> capturedFrom; // usage -> a Linux key code recorded as it
    QMap<QString, int> usageOfName;
};

QTEST_GUILESS_MAIN(LayoutCaptureTest)
#include "tst_layoutcapture.moc"
