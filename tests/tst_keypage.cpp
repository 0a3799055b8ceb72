// The key assignment page running for real: the program's QML with the view, the virtual
// keyboard and a copy of the shipped modules/ folder.

#include "app/widget.h"
#include "device/factorykeymatrix.h"
#include "device/virtual/virtualkeyboard.h"
#include "interfacetest.h"
#include "itemnames.h"
#include "runningprogram.h"
#include "view/myqquickview.h"
#include "viewgestures.h"

#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QTest>

namespace
{
using Prepare = std::function<void(const TestWorkspace &)>;
// Matrix position -> code.
using Codes = QMap<int, int>;

// Matrix positions of the shipped layout: A, Q, Fn, Menu and one without a key.
constexpr int keyA = 49;
constexpr int keyQ = 33;
constexpr int keyFn = 89;
constexpr int keyMenu = 90;
constexpr int noKey = 120;

// An object declared in the page's own file: expressions in its scope see the page's ids.
QObject *keyPage(const Program &program)
{
    return program.root()->findChild<QObject *>(QStringLiteral("modelR7"));
}

QVariant onPage(const Program &program, const QString &code)
{
    return qmlValue(keyPage(program), code);
}

QPointF keyAt(const Program &program, int matrix)
{
    return centreOf(keyPage(program), QStringLiteral("modelR7.getKey[%1]").arg(matrix));
}

int keyCodeAt(const Program &program, int matrix)
{
    return onPage(program, QStringLiteral("modelR7.getKey[%1].keyCode").arg(matrix)).toInt();
}

void click(const Program &program, const QString &item)
{
    program.click(centreOf(keyPage(program), item));
}

// Opens one of the page's lists by its head and clicks a row; `rowTop` and `pitch` place them.
void chooseRow(const Program &program, const QString &list, int row, int rowTop, int pitch)
{
    program.click(pointIn(keyPage(program), list, 20, 11));
    QTRY_VERIFY(onPage(program, list + QStringLiteral(".isSelect")).toBool());
    program.click(pointIn(keyPage(program), list, 20, rowTop + pitch * row + pitch / 2));
    QTRY_VERIFY(!onPage(program, list + QStringLiteral(".isSelect")).toBool());
}

void setGamingMode(quint8 mode)
{
    VirtualFirmware firmware = VirtualKeyboard::shared().firmware();
    firmware.keyboardOption = {mode, 0x5A, 0xA5};
    VirtualKeyboard::shared().setFirmware(firmware);
}

QByteArray keyboardMatrix()
{
    return VirtualKeyboard::shared().firmware().profiles.at(0).keyMatrix;
}

// The factory matrix as the keyboard receives it, low byte first, with some codes changed.
QByteArray factoryMatrixWith(const Codes &changes)
{
    QByteArray bytes;
    for (int i = 0; i < int(factoryKeyMatrix.size()); ++i) {
        const int code = changes.value(i, factoryKeyMatrix[size_t(i)]);
        bytes.append(char(code & 0xFF)).append(char(code >> 8));
    }
    return bytes;
}

QString profileFile(const TestWorkspace &workspace)
{
    return workspace.path(QStringLiteral("modules/setting/p1.bin"));
}

void storeCodes(const TestWorkspace &workspace, const Codes &codes)
{
    QSettings profile(profileFile(workspace), QSettings::IniFormat);
    for (auto it = codes.cbegin(); it != codes.cend(); ++it)
        profile.setValue(QStringLiteral("keydefine1/%1").arg(it.key()),
                         QVariantList{it.value() & 0xFF, it.value() >> 8});
}

void editHardwareDefinition(const TestWorkspace &workspace, const QByteArray &from,
                            const QByteArray &to)
{
    QFile file(workspace.path(QStringLiteral("modules/setting/HWDef.bin")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains(from));
    file.close();
    workspace.writeFile(QStringLiteral("modules/setting/HWDef.bin"),
                        QByteArray(content).replace(from, to));
}

// The program started, with the KEY function chosen and its page at rest.
void start(const Program &program)
{
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.click(QPointF(8 + 75, 180 + 18));
    QTRY_VERIFY(program.page(QStringLiteral("_Page_Keydefine.visible && !pa_X.running")).toBool());
}
} // namespace

class KeyPageTest : public InterfaceTest
{
    Q_OBJECT

private Q_SLOTS:
    void draggedKeyIsAppliedAndKept();
    void dropChangesNothing_data();
    void dropChangesNothing();
    void storedValueShows_data();
    void storedValueShows();
    void choosingInTheLists_data();
    void choosingInTheLists();
    void gamingModeGatesTheMenus();
    void shellButtonsWriteTheMatrix_data();
    void shellButtonsWriteTheMatrix();
};

// Drag, apply, both halves on the wire, the pairs in the profile, and the name again once the
// page has reloaded from that profile.
void KeyPageTest::draggedKeyIsAppliedAndKept()
{
    setGamingMode(1);
    Program program;
    start(program);
    program.click(keyAt(program, keyA));
    dragOnView(program.view(), keyAt(program, keyQ), centreOf(keyPage(program), "keyField"));
    QCOMPARE(onPage(program, "keyField.keyname").toString(), QStringLiteral("Q"));
    VirtualKeyboard::shared().clearCalls();
    click(program, "applyButton");

    QTRY_COMPARE(keyboardMatrix(), factoryMatrixWith({{keyA, 0x14}}));
    QCOMPARE(featureReportsFor(0x0C).size(), 1);
    QCOMPARE(featureReportsFor(0x0D).size(), 1);
    const QSettings profile(profileFile(program.workspace), QSettings::IniFormat);
    QCOMPARE(profile.value("keydefine1/49").toStringList(), QStringList({"20", "0"}));

    QTRY_VERIFY(program.view()->isEnabled());
    onPage(program, "modelR7.getKey[49].keyCode = 0");
    program.set("_Page_Keydefine.initUI()", program.keyboardScope());
    program.click(keyAt(program, keyQ));
    program.click(keyAt(program, keyA));
    QCOMPARE(keyCodeAt(program, keyA), 0x14);
    QCOMPARE(onPage(program, "keyField.keyname").toString(), QStringLiteral("Q"));
}

void KeyPageTest::dropChangesNothing_data()
{
    QTest::addColumn<quint8>("mode");
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("selectedByClick");
    QTest::newRow("a media default") << quint8(1) << keyMenu << keyMenu;
    QTest::newRow("the Fn key") << quint8(1) << keyFn << keyA;
    QTest::newRow("gaming mode off") << quint8(0) << keyQ << keyQ;
}

// Only a standard key's default can be dropped, and only while the menus take input; the Fn
// key can be neither dragged nor selected.
void KeyPageTest::dropChangesNothing()
{
    QFETCH(quint8, mode);
    QFETCH(int, dragged);
    QFETCH(int, selectedByClick);
    setGamingMode(mode);
    Program program(fastSpeed, [](const TestWorkspace &workspace) {
        editHardwareDefinition(workspace, "Menu, 90, 101", "Menu, 90, 12521");
    });
    start(program);
    program.click(keyAt(program, keyA));
    dragOnView(program.view(), keyAt(program, dragged), centreOf(keyPage(program), "keyField"));
    QCOMPARE(keyCodeAt(program, keyA), 0x04);
    QCOMPARE(onPage(program, "keyField.keycodeUSB").toInt(), 0x04);

    program.click(keyAt(program, dragged));
    QCOMPARE(onPage(program, "modelR7.curKeyMatrix").toInt(), selectedByClick);
}

void KeyPageTest::storedValueShows_data()
{
    QTest::addColumn<QList<int>>("pair");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("shown");
    QTest::newRow("a standard key") << QList<int>{20, 0} << 0 << 0x14;
    QTest::newRow("no function") << QList<int>{0, 0} << 0 << -1;
    QTest::newRow("VOLUME UP") << QList<int>{0xE9, 0x30} << 1 << 5;
    QTest::newRow("media not in the table") << QList<int>{5, 48} << 1 << -1;
    QTest::newRow("macro, no row remembered") << QList<int>{3, 0x41} << 2 << -1;
    QTest::newRow("not editable here") << QList<int>{0, 0xF0} << -1 << -1;
}

// A pair from the profile shows as its kind in the first menu and, beside it, as the
// KEYBOARD field's code, the media row or the macro row (-1: nothing shown).
void KeyPageTest::storedValueShows()
{
    QFETCH(QList<int>, pair);
    QFETCH(int, kind);
    QFETCH(int, shown);
    Program program(fastSpeed, [&](const TestWorkspace &workspace) {
        storeCodes(workspace, {{keyA, pair.at(0) | pair.at(1) << 8}});
    });
    start(program);
    QCOMPARE(keyCodeAt(program, keyA), pair.at(0) | pair.at(1) << 8);
    program.click(keyAt(program, keyA));
    QCOMPARE(onPage(program, "firstMenu.getCurIndex()").toInt(), kind);
    QCOMPARE(onPage(program, "[keyField.keycodeUSB, mediaList.getCurIndex(),"
                             " macroList.getCurIndex()][Math.max(0, firstMenu.getCurIndex())]")
                 .toInt(),
             shown);
}

void KeyPageTest::choosingInTheLists_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("slot");
    QTest::newRow("VOLUME UP") << "mediaList" << 5 << 0x30E9 << -1;
    QTest::newRow("a macro with its slot") << "macroList" << 2 << 0x4102 << 2;
    QTest::newRow("a macro without a slot") << "macroList" << 0 << 0x0004 << -1;
}

// The selected key takes the row's value with the next apply; a macro goes to its keyboard
// slot at once and keeps that slot, with repeat 1. A macro without a slot is not taken, and the
// user is told.
void KeyPageTest::choosingInTheLists()
{
    QFETCH(QString, list);
    QFETCH(int, row);
    QFETCH(int, keyCode);
    QFETCH(int, slot);
    setGamingMode(1);
    Program program(fastSpeed, [](const TestWorkspace &workspace) {
        QSettings(workspace.path("modules/macro/Macro. 001.bin"), QSettings::IniFormat)
            .setValue("config/index", -1);
        QSettings(workspace.path("modules/macro/Macro. 003.bin"), QSettings::IniFormat)
            .setValue("config/repeat", 4);
    });
    start(program);
    program.click(keyAt(program, keyA));
    chooseRow(program, "firstMenu", list == "mediaList" ? 1 : 2, 23, 23);
    VirtualKeyboard::shared().clearCalls();

    // File list rows sit 3 px into the list's base image, 20 px apart.
    chooseRow(program, list, row, 23 + 3, 20);
    QCOMPARE(keyCodeAt(program, keyA), keyCode);
    const QList<QByteArray> macroWrites = featureReportsFor(0x10);
    QCOMPARE(macroWrites.size(), slot < 0 ? 0 : 1);
    if (slot >= 0) {
        QCOMPARE(int(quint8(macroWrites.at(0).at(3))), slot);
        QTRY_VERIFY(VirtualKeyboard::shared().firmware().macros.contains(slot));
        const QSettings macro(program.workspace.path("modules/macro/Macro. 003.bin"),
                              QSettings::IniFormat);
        QCOMPARE(macro.value("config/index").toInt(), slot);
        QCOMPARE(macro.value("config/repeat").toInt(), 1);
    }
    QVERIFY(featureReportsFor(0x0C).isEmpty());
    // A choice that did not hold says why.
    const QString notice =
        list == "macroList" && slot < 0
            ? program.view()->messageTexts().at(myQQuickView::macroWithoutSlotMessage)
            : QString();
    QTRY_COMPARE(
        program.eval("keyboardNoticeItem.visible ? keyboardNoticeItem.text : ''").toString(),
        notice);

    click(program, "applyButton");
    QTRY_COMPARE(keyboardMatrix(), factoryMatrixWith({{keyA, keyCode}}));
}

// The check box sends the mode with the two other option bytes as the keyboard gave them;
// while it is off the menus and the page's buttons take no input.
void KeyPageTest::gamingModeGatesTheMenus()
{
    setGamingMode(0);
    Program program;
    start(program);
    QVERIFY(!onPage(program, "gamingMode.isSelect || menus.enabled || buttons.enabled").toBool());
    program.click(pointIn(keyPage(program), "firstMenu", 20, 11));
    QTest::qWait(100);
    QVERIFY(!onPage(program, "firstMenu.isSelect").toBool());

    for (const int mode : {1, 0}) {
        click(program, "gamingMode");
        QTRY_COMPARE(VirtualKeyboard::shared().firmware().keyboardOption,
                     (std::array<quint8, 3>{quint8(mode), 0x5A, 0xA5}));
        QCOMPARE(onPage(program, "menus.enabled && buttons.enabled").toBool(), mode == 1);
    }
}

void KeyPageTest::shellButtonsWriteTheMatrix_data()
{
    QTest::addColumn<int>("positions");
    QTest::addColumn<QString>("button");
    QTest::addColumn<Codes>("sent");
    QTest::addColumn<bool>("pageShown");
    // ALL RESET: every key back to its default, the positions without a key to 0.
    QTest::newRow("total reset") << 128 << "resetButton" << Codes{} << true;
    // ALL SAVE: the page's values, and the profile's where the layout knows no position.
    QTest::newRow("total apply, short layout")
        << 116 << "applyButton" << Codes{{keyA, 0x14}, {noKey, 0x07}} << true;
    // The page's values are there before its key picture is first drawn.
    QTest::newRow("total reset, page never shown") << 128 << "resetButton" << Codes{} << false;
    QTest::newRow("total apply, page never shown")
        << 128 << "applyButton" << Codes{{keyA, 0x14}, {noKey, 0x07}} << false;
}

// The bottom bar acts on this page with gaming mode off too, shown or not.
void KeyPageTest::shellButtonsWriteTheMatrix()
{
    QFETCH(int, positions);
    QFETCH(QString, button);
    QFETCH(Codes, sent);
    QFETCH(bool, pageShown);
    Program program(fastSpeed, [&](const TestWorkspace &workspace) {
        storeCodes(workspace, {{keyA, 0x14}, {noKey, 0x07}});
        editHardwareDefinition(workspace, "total_FW=128",
                               "total_FW=" + QByteArray::number(positions));
    });
    if (pageShown)
        start(program);
    else
        QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    // A page never shown is made by the bar's button, with the values stored for it.
    if (pageShown)
        QVERIFY(onPage(program, "modelR7.keysDrawn").toBool());
    else
        QVERIFY(program.page("_Page_Keydefine === null").toBool());
    VirtualFirmware firmware = VirtualKeyboard::shared().firmware();
    firmware.profiles[0].keyMatrix.fill(char(0xFF));
    VirtualKeyboard::shared().setFirmware(firmware);

    program.click(pointIn(itemNamed(program.root(), "downItem/" + button), 10, 10));
    QTRY_COMPARE(keyboardMatrix(), factoryMatrixWith(sent));
}

QTEST_MAIN(KeyPageTest)
#include "tst_keypage.moc"
