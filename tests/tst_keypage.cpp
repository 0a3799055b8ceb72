// The key assignment page running for real: the program's QML with the view, the virtual
// keyboard and a copy of the shipped modules/ folder.

#include "app/widget.h"
#include "device/factorykeymatrix.h"
#include "device/virtualkeyboard.h"
#include "runningprogram.h"
#include "view/myqquickview.h"

#include <QFile>
#include <QMouseEvent>
#include <QQuickItem>
#include <QSettings>
#include <QTest>

namespace
{
using Prepare = std::function<void(const TestWorkspace &)>;
using Pairs = QMap<int, QList<int>>;
// Matrix position -> code, over the factory matrix.
using Changes = QMap<int, int>;

// Matrix positions of the shipped layout: A, Q, Fn and Menu.
constexpr int keyA = 49;
constexpr int keyQ = 33;
constexpr int keyFn = 89;
constexpr int keyMenu = 90;
constexpr int emptyPosition = 120;

// An object declared in the page's own file: expressions in its scope see the page's ids.
QObject *keyPage(const Program &program)
{
    return program.root()->findChild<QObject *>(QStringLiteral("modelR7"));
}

QVariant onPage(const Program &program, const QString &code)
{
    return qmlValue(keyPage(program), code);
}

QPointF pointIn(const Program &program, const QString &item, double x, double y)
{
    return onPage(program, QStringLiteral("%1.mapToItem(null, %2, %3)").arg(item).arg(x).arg(y))
        .toPointF();
}

QPointF centreOf(const Program &program, const QString &item)
{
    return onPage(program,
                  QStringLiteral("%1.mapToItem(null, %1.width / 2, %1.height / 2)").arg(item))
        .toPointF();
}

QPointF keyAt(const Program &program, int matrix)
{
    return centreOf(program, QStringLiteral("modelR7.getKey[%1]").arg(matrix));
}

int keyCodeAt(const Program &program, int matrix)
{
    return onPage(program, QStringLiteral("modelR7.getKey[%1].keyCode").arg(matrix)).toInt();
}

void sendMouse(const Program &program, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, program.view()->mapToGlobal(at), button, buttons, {});
    QCoreApplication::sendEvent(program.view(), &event);
}

// Presses at `from`, moves to `to` in steps with the button held and releases there.
void drag(const Program &program, QPointF from, QPointF to)
{
    sendMouse(program, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 8; ++step)
        sendMouse(program, QEvent::MouseMove, from + (to - from) * step / 8, Qt::NoButton,
                  Qt::LeftButton);
    sendMouse(program, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Opens a list of the page by its head and clicks a row; `rowTop` and `pitch` place the rows.
void chooseRow(const Program &program, const QString &list, int row, int rowTop, int pitch)
{
    program.click(pointIn(program, list, 20, 11));
    QTRY_VERIFY(onPage(program, list + QStringLiteral(".isSelect")).toBool());
    program.click(pointIn(program, list, 20, rowTop + pitch * row + pitch / 2));
    QTRY_VERIFY(!onPage(program, list + QStringLiteral(".isSelect")).toBool());
}

void chooseKind(const Program &program, int kind)
{
    chooseRow(program, QStringLiteral("firstMenu"), kind, 23, 23);
}

// FileListButton rows sit on the list's base image, 3 px in, 20 px high.
void chooseFileRow(const Program &program, const QString &list, int row)
{
    chooseRow(program, list, row, 23 + 3, 20);
}

void setKeyboardOption(quint8 mode)
{
    VirtualFirmware firmware = VirtualKeyboard::shared().firmware();
    firmware.keyboardOption = {mode, 0x5A, 0xA5};
    VirtualKeyboard::shared().setFirmware(firmware);
}

QByteArray keyboardMatrix()
{
    return VirtualKeyboard::shared().firmware().profiles.at(0).keyMatrix;
}

// The factory matrix on the wire, with some positions changed.
QByteArray factoryMatrixWith(const Changes &changes = {})
{
    QByteArray bytes;
    for (int i = 0; i < int(factoryKeyMatrix.size()); ++i) {
        const int code = changes.value(i, factoryKeyMatrix[size_t(i)]);
        bytes.append(char(code & 0xFF)).append(char(code >> 8));
    }
    return bytes;
}

QList<QByteArray> commandReports(int command)
{
    QList<QByteArray> reports;
    for (const VirtualKeyboard::Call &call : VirtualKeyboard::shared().calls()) {
        if (call.kind == VirtualKeyboard::Call::SendFeatureReport && call.data.size() > 2 &&
            quint8(call.data.at(1)) == command)
            reports.append(call.data);
    }
    return reports;
}

QString profileFile(const TestWorkspace &workspace)
{
    return workspace.path(QStringLiteral("modules/setting/p1.bin"));
}

Prepare storePairs(const Pairs &pairs)
{
    return [pairs](const TestWorkspace &workspace) {
        QSettings profile(profileFile(workspace), QSettings::IniFormat);
        for (auto it = pairs.cbegin(); it != pairs.cend(); ++it)
            profile.setValue(QStringLiteral("keydefine1/%1").arg(it.key()),
                             QVariantList{it.value().at(0), it.value().at(1)});
    };
}

// Replaces a line of the shipped hardware definition.
void editHardwareDefinition(const TestWorkspace &workspace, const QByteArray &from,
                            const QByteArray &to)
{
    QFile file(workspace.path(QStringLiteral("modules/setting/HWDef.bin")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray content = file.readAll();
    file.close();
    QVERIFY(content.contains(from));
    workspace.writeFile(QStringLiteral("modules/setting/HWDef.bin"), content.replace(from, to));
}

// The program started, with the KEY function chosen and its page at rest.
void waitForStart(const Program &program)
{
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.click(QPointF(8 + 75, 180 + 18));
    QTRY_VERIFY(program.page(QStringLiteral("_Page_Keydefine.visible && !pa_X.running")).toBool());
}

// Apply covers the window for a while: the next click must wait until it is open again.
void waitForInput(const Program &program)
{
    QTRY_VERIFY_WITH_TIMEOUT(program.view()->isEnabled(), 5000);
}
} // namespace

class KeyPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("R7_VIRTUAL_KEYBOARD", "1");
        watchInterfaceWarnings();
    }
    void init()
    {
        interfaceWarnings().clear();
        resetVirtualKeyboard();
    }
    void cleanup()
    {
        QVERIFY2(interfaceWarnings().isEmpty(), qPrintable(interfaceWarnings().join('\n')));
    }

    void draggedKeyIsAppliedAndKept();
    void dropOnTheKeyboardField_data();
    void dropOnTheKeyboardField();
    void storedValueShows_data();
    void storedValueShows();
    void choosingInTheLists_data();
    void choosingInTheLists();
    void gamingModeGatesTheMenus();
    void shellButtonsWriteTheMatrix_data();
    void shellButtonsWriteTheMatrix();
};

// The whole path of a remapped key: drag, apply, both halves on the wire, the pairs in the
// profile, and the name again once the page has reloaded from that profile.
void KeyPageTest::draggedKeyIsAppliedAndKept()
{
    setKeyboardOption(1);
    Program program;
    waitForStart(program);
    program.click(keyAt(program, keyA));
    drag(program, keyAt(program, keyQ), centreOf(program, "keyField"));
    VirtualKeyboard::shared().clearCalls();
    program.click(centreOf(program, "applyButton"));

    QTRY_COMPARE(keyboardMatrix(), factoryMatrixWith({{keyA, 0x14}}));
    QCOMPARE(commandReports(0x0C).size(), 1);
    QCOMPARE(commandReports(0x0D).size(), 1);
    const QSettings profile(profileFile(program.workspace), QSettings::IniFormat);
    QCOMPARE(profile.value("keydefine1/49").toStringList(), QStringList({"20", "0"}));
    QCOMPARE(profile.value("keydefine1/33").toStringList(), QStringList({"20", "0"}));

    waitForInput(program);
    onPage(program, "modelR7.getKey[49].keyCode = 0");
    program.set("_Page_Keydefine.initUI()", program.keyboardScope());
    program.click(keyAt(program, keyQ));
    program.click(keyAt(program, keyA));
    QCOMPARE(keyCodeAt(program, keyA), 0x14);
    QCOMPARE(onPage(program, "keyField.keyname").toString(), QStringLiteral("Q"));
    QVERIFY(!onPage(program, "modelR7.getKey[49].isDefault").toBool());
}

void KeyPageTest::dropOnTheKeyboardField_data()
{
    QTest::addColumn<quint8>("mode");
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("selectedAfterClick");
    QTest::newRow("a standard key") << quint8(1) << keyQ << 0x14 << keyQ;
    QTest::newRow("a media default") << quint8(1) << keyMenu << 0x04 << keyMenu;
    QTest::newRow("the Fn key") << quint8(1) << keyFn << 0x04 << keyA;
    QTest::newRow("gaming mode off") << quint8(0) << keyQ << 0x04 << keyQ;
}

// Only a key whose default is a standard key gives its code to the selected key, and only
// while the menus are usable; the Fn key can be neither dragged nor selected.
void KeyPageTest::dropOnTheKeyboardField()
{
    QFETCH(quint8, mode);
    QFETCH(int, dragged);
    QFETCH(int, keyCode);
    QFETCH(int, selectedAfterClick);
    setKeyboardOption(mode);
    Program program(fastSpeed, [](const TestWorkspace &workspace) {
        editHardwareDefinition(workspace, "Menu, 90, 101", "Menu, 90, 12521");
    });
    waitForStart(program);
    program.click(keyAt(program, keyA));
    QCOMPARE(onPage(program, "modelR7.curKeyMatrix").toInt(), keyA);

    drag(program, keyAt(program, dragged), centreOf(program, "keyField"));
    QCOMPARE(keyCodeAt(program, keyA), keyCode);
    QCOMPARE(onPage(program, "keyField.keycodeUSB").toInt(), keyCode);
    QVERIFY(!onPage(program, "keyField.isIn").toBool());

    program.click(keyAt(program, dragged));
    QCOMPARE(onPage(program, "modelR7.curKeyMatrix").toInt(), selectedAfterClick);
}

void KeyPageTest::storedValueShows_data()
{
    QTest::addColumn<QList<int>>("pair");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("shown");
    QTest::newRow("a standard key") << QList<int>{20, 0} << 0x0014 << 0 << 0x14;
    QTest::newRow("no function") << QList<int>{0, 0} << 0x0000 << 0 << -1;
    QTest::newRow("VOLUME UP") << QList<int>{0xE9, 0x30} << 0x30E9 << 1 << 5;
    QTest::newRow("media not in the table") << QList<int>{5, 48} << 0x3005 << 1 << -1;
    QTest::newRow("macro, no row remembered") << QList<int>{3, 0x41} << 0x4103 << 2 << -1;
    QTest::newRow("not editable here") << QList<int>{0, 0xF0} << 0xF000 << -1 << -1;
}

// A value from the profile shows in the first menu and in the field or list of its kind:
// the KEYBOARD field's code, the media row or the macro row (-1: nothing shown).
void KeyPageTest::storedValueShows()
{
    QFETCH(QList<int>, pair);
    QFETCH(int, keyCode);
    QFETCH(int, kind);
    QFETCH(int, shown);
    Program program(fastSpeed, storePairs({{keyA, pair}}));
    waitForStart(program);
    QCOMPARE(keyCodeAt(program, keyA), keyCode);

    program.click(keyAt(program, keyA));
    QCOMPARE(onPage(program, "firstMenu.getCurIndex()").toInt(), kind);
    QCOMPARE(onPage(program, "[keyField.keycodeUSB, mediaList.getCurIndex(),"
                             " macroList.getCurIndex()][Math.max(0, firstMenu.getCurIndex())]")
                 .toInt(),
             shown);
}

void KeyPageTest::choosingInTheLists_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("macroSlot");
    QTest::newRow("VOLUME UP") << 1 << 5 << 0x30E9 << -1;
    QTest::newRow("a macro with its slot") << 2 << 2 << 0x4102 << 2;
    QTest::newRow("a macro without a slot") << 2 << 0 << 0x0004 << -1;
}

// A media row or a macro gives the selected key its value, which goes out with the next
// apply; a macro goes to its keyboard slot at once and keeps its slot, with repeat 1.
void KeyPageTest::choosingInTheLists()
{
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(int, keyCode);
    QFETCH(int, macroSlot);
    setKeyboardOption(1);
    Program program(fastSpeed, [](const TestWorkspace &workspace) {
        QSettings unbound(workspace.path("modules/macro/Macro. 001.bin"), QSettings::IniFormat);
        unbound.setValue("config/index", -1);
        QSettings bound(workspace.path("modules/macro/Macro. 003.bin"), QSettings::IniFormat);
        bound.setValue("config/repeat", 4);
    });
    waitForStart(program);
    program.click(keyAt(program, keyA));
    chooseKind(program, kind);
    VirtualKeyboard::shared().clearCalls();

    chooseFileRow(program, kind == 1 ? "mediaList" : "macroList", row);
    QCOMPARE(keyCodeAt(program, keyA), keyCode);
    const QList<QByteArray> macroWrites = commandReports(0x10);
    if (macroSlot < 0) {
        QVERIFY(macroWrites.isEmpty());
    } else {
        QCOMPARE(macroWrites.size(), 1);
        QCOMPARE(int(quint8(macroWrites.at(0).at(3))), macroSlot);
        QTRY_VERIFY(VirtualKeyboard::shared().firmware().macros.contains(macroSlot));
        const QSettings macro(program.workspace.path("modules/macro/Macro. 003.bin"),
                              QSettings::IniFormat);
        QCOMPARE(macro.value("config/index").toInt(), macroSlot);
        QCOMPARE(macro.value("config/repeat").toInt(), 1);
    }
    QVERIFY(commandReports(0x0C).isEmpty());

    program.click(centreOf(program, "applyButton"));
    QTRY_COMPARE(keyboardMatrix(), factoryMatrixWith({{keyA, keyCode}}));
}

// The check box sends the mode with the two other option bytes as the keyboard gave them;
// while it is off the menus and the page's buttons take no input.
void KeyPageTest::gamingModeGatesTheMenus()
{
    setKeyboardOption(0);
    Program program;
    waitForStart(program);
    QVERIFY(!onPage(program, "gamingMode.isSelect").toBool());
    QVERIFY(!onPage(program, "menus.enabled || buttons.enabled").toBool());
    program.click(pointIn(program, "firstMenu", 20, 11));
    QTest::qWait(100);
    QVERIFY(!onPage(program, "firstMenu.isSelect").toBool());

    for (const int mode : {1, 0}) {
        program.click(centreOf(program, "gamingMode"));
        QTRY_COMPARE(VirtualKeyboard::shared().firmware().keyboardOption,
                     (std::array<quint8, 3>{quint8(mode), 0x5A, 0xA5}));
        QCOMPARE(onPage(program, "menus.enabled && buttons.enabled").toBool(), mode == 1);
    }
}

void KeyPageTest::shellButtonsWriteTheMatrix_data()
{
    QTest::addColumn<bool>("shortDefinition");
    QTest::addColumn<int>("button");
    QTest::addColumn<Changes>("changes");
    // ALL RESET: every key back to its default, the positions without a key to 0.
    QTest::newRow("total reset") << false << 1 << Changes{};
    // ALL SAVE: the page's values, and the profile's for positions the layout does not know.
    QTest::newRow("total apply, short layout")
        << true << 3 << Changes{{keyA, 0x14}, {emptyPosition, 0x07}};
}

// The bottom bar acts on this page whether or not gaming mode is on.
void KeyPageTest::shellButtonsWriteTheMatrix()
{
    QFETCH(bool, shortDefinition);
    QFETCH(int, button);
    QFETCH(Changes, changes);
    const Prepare stored = storePairs({{keyA, {0x14, 0}}, {emptyPosition, {0x07, 0}}});
    Program program(fastSpeed, [&](const TestWorkspace &workspace) {
        stored(workspace);
        if (shortDefinition)
            editHardwareDefinition(workspace, "total_FW=128", "total_FW=116");
    });
    waitForStart(program);
    QCOMPARE(onPage(program, "modelR7.getKey.length").toInt(), shortDefinition ? 116 : 128);
    VirtualFirmware firmware = VirtualKeyboard::shared().firmware();
    firmware.profiles[0].keyMatrix.fill(char(0xFF));
    VirtualKeyboard::shared().setFirmware(firmware);

    program.click(
        program.eval(QStringLiteral("downItem.children[%1].mapToItem(null, 10, 10)").arg(button))
            .toPointF());
    QTRY_COMPARE(keyboardMatrix(), factoryMatrixWith(changes));
}

QTEST_MAIN(KeyPageTest)
#include "tst_keypage.moc"
