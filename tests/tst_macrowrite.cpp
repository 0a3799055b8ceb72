// Macros from their files to the keyboard's slots: the encoding as it reaches the wire, the
// over-long macro and its warning, and the writes that saving a bound macro makes.

#include "backend/macroencoding.h"
#include "devicefixture.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include <memory>

namespace
{
const QString down = QStringLiteral("    [Down]");
const QString up = QStringLiteral("      [Up]");
const QString delay = QStringLiteral("   [Delay]");

// Closes every warning box as soon as it shows, and remembers what it said, so that a box
// nobody expects cannot hold a test up.
class BoxWatcher : public QObject
{
public:
    struct Box {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };

    BoxWatcher()
    {
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [this] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(window);
                if (box && box->isVisible()) {
                    seen.append({box->icon(), box->windowTitle(), box->text()});
                    box->accept();
                }
            }
        });
        poll.start();
    }

    QList<Box> seen;

private:
    QTimer poll;
};

// A sequence of `count` presses of A, the kind of step that takes one unit.
QStringList presses(int count)
{
    QStringList steps;
    for (int i = 0; i < count; ++i)
        steps.append(QStringLiteral("A") + down);
    return steps;
}

// The slot image of presses(count) after repeat 1, as it must reach the keyboard.
QByteArray pressImage(int count)
{
    QByteArray image = hex("0100");
    for (int i = 0; i < count; ++i)
        image += hex("0401");
    return image;
}

QByteArray slotImage(const QByteArray &prefix)
{
    return prefix.leftJustified(macroSlotSize, '\0');
}
} // namespace

class MacroWriteTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void slotImageOnTheWire_data();
    void slotImageOnTheWire();
    void macroIncodeGivesTheEncodedUnits();
    void keyStepsAreDroppedBeforeTheFirstSynchronisation();
    void missingFileEmptiesTheSlot();
    void refusedNameSendsNothing();
    void savingSendsOnlyForKeyboardSlots_data();
    void savingSendsOnlyForKeyboardSlots();
    void savingAnEmptyMacroStillSendsIt();

private:
    void writeMacro(const QString &name, int repeat, const QStringList &steps, int index = -1);
    // The command report and the 128 bytes of the two data reports, without report IDs.
    QByteArray sentCommand() const;
    QByteArray sentImage() const;

    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<DeviceFixture> device;
    std::unique_ptr<myQQuickView> view;
    std::unique_ptr<BoxWatcher> boxes;
};

void MacroWriteTest::init()
{
    workspace = std::make_unique<TestWorkspace>();
    workspace->writeSetting(QStringLiteral("KeyCodeDef.bin"),
                            {{QStringLiteral("common/usbStr"), QStringList{"A", "B", "Zero"}},
                             {QStringLiteral("common/usbCode"), QStringList{"4", "5", "0"}}});
    device = std::make_unique<DeviceFixture>();
    view = std::make_unique<myQQuickView>();
    view->setHidThread(&device->hid);
    boxes = std::make_unique<BoxWatcher>();
}

void MacroWriteTest::cleanup()
{
    boxes.reset();
    view.reset();
    device.reset();
    workspace.reset();
}

void MacroWriteTest::writeMacro(const QString &name, int repeat, const QStringList &steps,
                                int index)
{
    QSettings macro(workspace->path(QStringLiteral("modules/macro/") + name + ".bin"),
                    QSettings::IniFormat);
    macro.setValue("config/index", index);
    macro.setValue("config/total", steps.size());
    macro.setValue("config/repeat", repeat);
    macro.setValue("config/did", -1);
    for (int i = 0; i < steps.size(); ++i)
        macro.setValue("macro/" + QString::number(i), steps.at(i));
}

QByteArray MacroWriteTest::sentCommand() const
{
    const QList<QByteArray> traffic = device->traffic();
    return traffic.isEmpty() ? QByteArray() : traffic.first();
}

QByteArray MacroWriteTest::sentImage() const
{
    QByteArray image;
    for (const QByteArray &report : device->traffic().mid(1))
        image += report.mid(1);
    return image;
}

void MacroWriteTest::slotImageOnTheWire_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("warned");

    QTest::newRow("no steps") << QStringList() << 1 << hex("01000000") << false;
    QTest::newRow("press, 1000 ms, release") << QStringList{"A" + down, "1000" + delay, "A" + up}
                                             << 1 << hex("0100 0401 007F 6400 0481 0000") << false;
    QTest::newRow("5 ms is written as 0")
        << QStringList{"5" + delay} << 1 << hex("0100 007F 0000 0000") << false;
    QTest::newRow("2560 ms fills the high byte")
        << QStringList{"2560" + delay} << 1 << hex("0100 007F 0001 0000") << false;
    QTest::newRow("655360 ms wraps to 0")
        << QStringList{"655360" + delay} << 1 << hex("0100 007F 0000 0000") << false;
    QTest::newRow("655370 ms wraps to 1")
        << QStringList{"655370" + delay} << 1 << hex("0100 007F 0100 0000") << false;
    QTest::newRow("repeat 258") << QStringList() << 258 << hex("0201 0000") << false;
    QTest::newRow("repeat 65536 wraps to 0") << QStringList() << 65536 << hex("0000 0000") << false;
    QTest::newRow("unknown name, name with code 0")
        << QStringList{"Nope" + down, "Zero" + down, "Zero" + up, "B" + up} << 1
        << hex("0100 0581 0000") << false;
    QTest::newRow("delays that do not wait")
        << QStringList{"0" + delay, "-50" + delay, "abc" + delay, delay, "B" + down} << 1
        << hex("0100 0501 0000") << false;
    QTest::newRow("commands compared exactly")
        << QStringList{"A    [down]", "A     [Down]", "A [Up]", "A", "", "A" + down} << 1
        << hex("0100 0401 0000") << false;
    QTest::newRow("exactly 128 bytes") << presses(62) << 1 << slotImage(pressImage(62)) << false;
    QTest::newRow("130 bytes lose their last step")
        << presses(63) << 1 << slotImage(pressImage(62)) << true;
    QTest::newRow("a delay that does not fit is left out whole")
        << presses(61) + QStringList{"1000" + delay} << 1 << slotImage(pressImage(61)) << true;
    QTest::newRow("a delay that fits exactly")
        << presses(60) + QStringList{"1000" + delay} << 1
        << slotImage(pressImage(60) + hex("007F 6400")) << false;
}

void MacroWriteTest::slotImageOnTheWire()
{
    QFETCH(QStringList, steps);
    QFETCH(int, repeat);
    QFETCH(QByteArray, image);
    QFETCH(bool, warned);
    writeMacro(QStringLiteral("M"), repeat, steps);
    view->syncFW();
    device->keyboard.clearCalls();

    view->ui_10H_SetMacroKey(5, QStringLiteral("M"));
    QVERIFY(device->settle());

    QCOMPARE(sentCommand(), hex("00 10 00 05 00 00 55 AA 00"));
    QCOMPARE(sentImage(), slotImage(image));
    QCOMPARE(device->keyboard.firmware().macros.value(5), slotImage(image));
    QCOMPARE(boxes->seen.size(), warned ? 1 : 0);
    if (warned) {
        // No language has been loaded, so both texts are empty.
        QCOMPARE(boxes->seen.first().icon, QMessageBox::Warning);
        QCOMPARE(boxes->seen.first().title, QString());
        QCOMPARE(boxes->seen.first().text, QString());
    }
}

void MacroWriteTest::macroIncodeGivesTheEncodedUnits()
{
    view->syncFW();
    const QList<uchar> encoded =
        view->macroIncode({"A" + down, "1000" + delay, "A" + up}, QVariant(QStringLiteral("1")));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(encoded.constData()), encoded.size()),
             hex("0001 0104 7F00 0064 8104 0000"));
}

void MacroWriteTest::keyStepsAreDroppedBeforeTheFirstSynchronisation()
{
    writeMacro(QStringLiteral("M"), 1, {"A" + down, "10" + delay, "A" + up});
    view->ui_10H_SetMacroKey(0, QStringLiteral("M"));
    QVERIFY(device->settle());
    QCOMPARE(sentImage(), slotImage(hex("0100 007F 0100 0000")));
}

void MacroWriteTest::missingFileEmptiesTheSlot()
{
    view->ui_10H_SetMacroKey(16, QStringLiteral("Gone"));
    QVERIFY(device->settle());
    QCOMPARE(sentCommand(), hex("00 10 00 10 00 00 55 AA 00"));
    QCOMPARE(sentImage(), slotImage(hex("0100 0000")));
}

void MacroWriteTest::refusedNameSendsNothing()
{
    writeMacro(QStringLiteral("M"), 1, {});
    view->ui_10H_SetMacroKey(3, QStringLiteral("../macro/M"));
    QVERIFY(device->settle());
    QCOMPARE(device->traffic(), QList<QByteArray>());
}

void MacroWriteTest::savingSendsOnlyForKeyboardSlots_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("sent");
    QTest::newRow("not bound") << -1 << false;
    QTest::newRow("slot 0") << 0 << true;
    QTest::newRow("slot 16") << 16 << true;
    QTest::newRow("slot 17") << 17 << false;
}

void MacroWriteTest::savingSendsOnlyForKeyboardSlots()
{
    QFETCH(int, index);
    QFETCH(bool, sent);
    writeMacro(QStringLiteral("M"), 2, {}, index);
    view->syncFW();
    device->keyboard.clearCalls();

    QCOMPARE(view->saveMacroIni(QStringLiteral("M"), {"B" + down, "B" + up}), QVariant(true));
    QVERIFY(device->settle());
    QCOMPARE(view->loadMacroIni(QStringLiteral("M")), (QStringList{"B" + down, "B" + up}));
    if (sent) {
        QByteArray command = hex("00 10 00 00 00 00 55 AA 00");
        command[3] = char(index);
        QCOMPARE(sentCommand(), command);
        QCOMPARE(sentImage(), slotImage(hex("0200 0501 0581 0000")));
    } else {
        QCOMPARE(device->traffic(), QList<QByteArray>());
    }
}

void MacroWriteTest::savingAnEmptyMacroStillSendsIt()
{
    writeMacro(QStringLiteral("M"), 1, {"A" + down, "A" + up}, 4);
    QCOMPARE(view->saveMacroIni(QStringLiteral("M"), {}), QVariant(true));
    QVERIFY(device->settle());
    QCOMPARE(view->loadMacroIni(QStringLiteral("M")), QStringList());
    QCOMPARE(sentImage(), slotImage(hex("0100 0000")));
    const QSettings macro(workspace->path("modules/macro/M.bin"), QSettings::IniFormat);
    QCOMPARE(macro.value("config/total").toInt(), 0);
    QCOMPARE(macro.childGroups().contains("macro"), false);
}

QTEST_MAIN(MacroWriteTest)
#include "tst_macrowrite.moc"
