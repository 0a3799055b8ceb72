// The two lighting pages running for real: the program's QML with the view, the virtual
// keyboard and a copy of the shipped modules/ folder. Device behaviour is checked on the wire.

#include "app/widget.h"
#include "device/virtual/virtualkeyboard.h"
#include "interfacetest.h"
#include "itemnames.h"
#include "runningprogram.h"
#include "view/myqquickview.h"
#include "viewgestures.h"

#include <QQuickItem>
#include <QTest>

#include <array>

namespace
{
using LedType = std::array<quint8, 7>;

// The keyboard starts with this lighting in its first profile, which the program copies into
// the profile file at start-up.
void keyboardLighting(const LedType &ledType)
{
    VirtualFirmware firmware;
    firmware.profiles[0].ledType = ledType;
    VirtualKeyboard::shared().setFirmware(firmware);
}

// Feature reports that reached the keyboard, in order, from the given command codes.
QList<QByteArray> commands(const QList<int> &codes)
{
    QList<QByteArray> sent;
    for (const VirtualKeyboard::Call &call : VirtualKeyboard::shared().calls()) {
        if (call.kind == VirtualKeyboard::Call::SendFeatureReport && call.data.size() == 9 &&
            codes.contains(quint8(call.data.at(1))))
            sent.append(call.data);
    }
    return sent;
}

QByteArray ledReport(const LedType &led)
{
    QByteArray report(2, '\0');
    report[1] = 0x08;
    for (quint8 value : led)
        report.append(char(value));
    return report;
}

// The pages, each the root of its own file: expressions in their scope see the page's ids. A
// page is made when first shown; these make it, shown or not.
QObject *colorPage(const Program &program)
{
    program.page(QStringLiteral("makePage(2)"));
    return itemNamed(program.root(), QStringLiteral("_Page_Color"));
}

QObject *backlightPage(const Program &program)
{
    program.page(QStringLiteral("makePage(3)"));
    return itemNamed(program.root(), QStringLiteral("_Page_BackLighting"));
}

// The program started on the given page (2 colour, 3 backlight), at rest.
void showPage(const Program &program, int page)
{
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.set(QStringLiteral("show(%1)").arg(page), program.keyboardScope());
    QTRY_VERIFY(program
                    .page(QStringLiteral("curID === %1 && !pa_X.running"
                                         " && !paBack_X.running")
                              .arg(page))
                    .toBool());
    VirtualKeyboard::shared().clearCalls();
}

void waitForInput(const Program &program)
{
    QTRY_VERIFY_WITH_TIMEOUT(program.view()->isEnabled(), 5000);
}

// The key of a matrix position: its centre in the window.
QPointF keyCentre(QObject *page, int matrix)
{
    const QString key = QStringLiteral("_model.getKey[%1]").arg(matrix);
    return pointIn(page, "_model", qmlValue(page, key + ".x0").toReal(),
                   qmlValue(page, key + ".y0").toReal());
}
} // namespace

class ColorPageTest : public InterfaceTest
{
    Q_OBJECT

private Q_SLOTS:
    void keyModelFollowsTheDefinition();
    void storedLightingShows_data();
    void storedLightingShows();
    void menusChooseTheType();
    void oneListOpenAtATime();
    void applySendsTheLighting_data();
    void applySendsTheLighting();
    void applyOfAPictureSendsOnlyThatPicture();
    void resetTakesTheFactoryLighting_data();
    void resetTakesTheFactoryLighting();
    void paintingWritesThePicture_data();
    void paintingWritesThePicture();
    void colourFields_data();
    void colourFields();
    void backlightApplyPacksTwoBytes();
    void bottomBarCoversBothPages_data();
    void bottomBarCoversBothPages();
    void keyboardPushReloadsBothPages();
    void pageIsMadeWithWhatTheStartUpRead();
};

// Keys in definition order, a placeholder at every matrix position without a key, and the
// packed centres sorted.
void ColorPageTest::keyModelFollowsTheDefinition()
{
    keyboardLighting({0x33, 63, 4, 0, 0, 0, 0});
    Program program;
    showPage(program, 2);
    QObject *page = colorPage(program);
    const QVariantList definition = program.view()->loadHWDef();
    const int keyCount = definition.at(0).toInt();
    const int matrixCount = definition.at(1).toInt();
    QCOMPARE(qmlValue(page, "_model.keys.length").toInt(), keyCount);
    QCOMPARE(qmlValue(page, "_model.getKey.length").toInt(), matrixCount);

    QSet<int> drawn;
    for (int i = 0; i < keyCount; ++i) {
        const int matrix = definition.at(2 + 6 * i + 4).toInt();
        drawn.insert(matrix);
        const QString key = QStringLiteral("_model.getKey[%1]").arg(matrix);
        QCOMPARE(qmlValue(page, key + ".swId").toInt(), i);
        QCOMPARE(qmlValue(page, key + ".name").toString(), definition.at(2 + 6 * i + 3).toString());
    }
    for (int m = 0; m < matrixCount; ++m) {
        if (!drawn.contains(m))
            QCOMPARE(qmlValue(page, QStringLiteral("_model.getKey[%1].swId").arg(m)).toInt(), -1);
    }
    const QString packed =
        QStringLiteral("_model.keysPos%1.every((v, i, all) => i === 0 || all[i - 1] <= v)"
                       " && _model.keysPos%1.every(v => (v >> 8) === _model.keys[v & 255].%2)");
    QVERIFY(qmlValue(page, packed.arg("X", "x0")).toBool());
    QVERIFY(qmlValue(page, packed.arg("Y", "y0")).toBool());
}

void ColorPageTest::storedLightingShows_data()
{
    QTest::addColumn<LedType>("stored");
    QTest::addColumn<QVariantMap>("expected");
    QTest::newRow("picture 3") << LedType{0x35, 63, 4, 1, 2, 0, 0}
                               << QVariantMap{{"_effect1.defaultIndex", 0},
                                              {"_effect2.defaultIndex", 2},
                                              {"_effect3.defaultIndex", -1},
                                              {"_Direction.visible", false},
                                              {"_Palette.enabled", true},
                                              {"_model.keys[0]._Alpha", 255}};
    QTest::newRow("wave, leftwards, brightness 9")
        << LedType{0x02, 9, 1, 1, 7, 0, 0}
        << QVariantMap{{"_effect1.defaultIndex", 1},          {"_effect3.defaultIndex", 2},
                       {"brightness_Slider.currentIndex", 1}, {"speed_Slider.currentIndex", 7},
                       {"_Direction.currentIndex", 2},        {"_Direction.enabled", false},
                       {"_PaletteIndex.currentIndex", 7},     {"_model.keys[0].isLOOP", true},
                       {"_model.keys[0]._Alpha", 75}};
    QTest::newRow("marquee without colours") << LedType{0x04, 63, 7, 0, 1, 0, 0}
                                             << QVariantMap{{"effectIndex", 4},
                                                            {"speed_Slider.currentIndex", 1},
                                                            {"_Direction.currentIndex", 1},
                                                            {"_Palette.enabled", false},
                                                            {"_Apply.enabled", true}};
    QTest::newRow("unknown type") << LedType{0x20, 200, 0, 0, 0, 0, 0}
                                  << QVariantMap{{"effectIndex", -1},
                                                 {"brightness_Slider.currentIndex", 7},
                                                 {"speed_Slider.currentIndex", 1},
                                                 {"_Apply.enabled", false},
                                                 {"_PaletteIndex.enabled", false},
                                                 {"_model.keys[0]._Alpha", 0}};
}

void ColorPageTest::storedLightingShows()
{
    QFETCH(LedType, stored);
    QFETCH(QVariantMap, expected);
    keyboardLighting(stored);
    Program program;
    showPage(program, 2);
    QObject *page = colorPage(program);
    // The key items are made once a picture shows them; made later, they show the lighting as
    // it is then.
    QCOMPARE(qmlValue(page, "_model.keysDrawn").toBool(), qmlValue(page, "isPicture").toBool());
    qmlValue(page, "_model.keysDrawn || _model.drawKeys()");
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(qmlValue(page, it.key()).toString(), it.value().toString());
}

// Choosing a mode clears both other lists until a picture or effect is chosen; a mode change
// also ends the painting selection.
void ColorPageTest::menusChooseTheType()
{
    keyboardLighting({0x33, 63, 4, 0, 0, 0, 0});
    Program program;
    showPage(program, 2);
    QObject *page = colorPage(program);
    const auto choose = [&](const QString &list, int row) {
        program.click(pointIn(page, list, 20, 11));
        QTRY_VERIFY(qmlValue(page, list + ".isSelect").toBool());
        program.click(pointIn(page, list, 20, 23 + 23 * row + 11));
        QTRY_VERIFY(!qmlValue(page, list + ".isSelect").toBool());
    };
    program.click(keyCentre(page, 1));
    QVERIFY(qmlValue(page, "_model.getKey[1].isSelect").toBool());

    choose("_effect1", 1);
    QCOMPARE(qmlValue(page, "[effectIndex, _effect2.defaultIndex, _effect3.defaultIndex,"
                            " _Apply.enabled, _model.getKey[1].isSelect].join()")
                 .toString(),
             QStringLiteral("-1,-1,-1,false,false"));
    choose("_effect3", 5);
    QCOMPARE(qmlValue(page, "[effectIndex, _Apply.enabled, _Direction.visible].join()").toString(),
             QStringLiteral("5,true,true"));
}

// Opening a list closes the one that is open, and a press beside an open list closes it.
void ColorPageTest::oneListOpenAtATime()
{
    keyboardLighting({0x02, 63, 4, 0, 7, 0, 0});
    Program program;
    showPage(program, 2);
    QObject *page = colorPage(program);
    program.click(pointIn(page, "_effect1", 20, 11));
    QTRY_VERIFY(qmlValue(page, "_effect1.isSelect").toBool());

    program.click(pointIn(page, "_effect3", 20, 11));
    QTRY_VERIFY(qmlValue(page, "_effect3.isSelect").toBool());
    QTRY_VERIFY(!qmlValue(page, "_effect1.isSelect").toBool());

    program.click(pointIn(page, "_effect3", 20, -30));
    QTRY_VERIFY(!qmlValue(page, "_effect3.isSelect").toBool());
    QCOMPARE(qmlValue(page, "effectIndex").toInt(), 2);
}

void ColorPageTest::applySendsTheLighting_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<LedType>("sent");
    // The keyboard starts on wave, brightness 63, speed 4, rightwards, LOOP, bl0 0xE1, bl1 0x3C.
    QTest::newRow("brightness level 1")
        << "brightness_Slider.setCurIndex(1)" << LedType{0x02, 9, 4, 0, 7, 0xE1, 0x3C};
    QTest::newRow("speed level 7")
        << "speed_Slider.setCurIndex(7)" << LedType{0x02, 63, 1, 0, 7, 0xE1, 0x3C};
    QTest::newRow("speed level 1, wave 2 leftwards")
        << "speed_Slider.setCurIndex(1); _effect3.setCurIndex(10); _Direction.setCurIndex(2)"
        << LedType{0x0A, 63, 7, 1, 7, 0xE1, 0x3C};
}

void ColorPageTest::applySendsTheLighting()
{
    QFETCH(QString, change);
    QFETCH(LedType, sent);
    Program program;
    showPage(program, 2);
    QObject *page = colorPage(program);
    qmlValue(page, change);
    program.click(centreOf(page, "_Apply"));
    QTRY_COMPARE(commands({0x08}), QList<QByteArray>{ledReport(sent)});
    waitForInput(program);
}

// Picture 3 shown: the palette, that picture with option 0 and the lighting go to the keyboard;
// the other pictures are only stored.
void ColorPageTest::applyOfAPictureSendsOnlyThatPicture()
{
    keyboardLighting({0x35, 63, 4, 1, 2, 0xA2, 0x7D});
    Program program;
    showPage(program, 2);
    QObject *page = colorPage(program);
    qmlValue(page, "pictures = [0, 1, 2, 3, 4].map(n => new Array(512).fill(10 * n + 4))");
    program.click(centreOf(page, "_Apply"));

    const auto command = [](int code, int index, int plane) {
        QByteArray report = QByteArray::fromHex("00000000000055aa00");
        report[1] = char(code);
        report[3] = char(index);
        report[4] = char(plane);
        return report;
    };
    const QList<QByteArray> expected{
        command(0x30, 0, 0), command(0x12, 2, 0), command(0x12, 2, 1),
        command(0x12, 2, 2), command(0x12, 2, 3), ledReport({0x35, 63, 4, 1, 2, 0xA2, 0x7D})};
    QTRY_COMPARE(commands({0x30, 0x12, 0x08}), expected);
    for (int n = 0; n < 5; ++n)
        QCOMPARE(program.view()->ui_92H_GetUserPicture(uchar(n)).at(9).toInt(), 10 * n + 4);
    waitForInput(program);
}

void ColorPageTest::resetTakesTheFactoryLighting_data()
{
    QTest::addColumn<QVariantList>("factory");
    QTest::addColumn<QVariantMap>("expected");
    QTest::newRow("rightwards") << QVariantList{3, 63, 7, 0, 4, 0, 0}
                                << QVariantMap{{"_effect3.defaultIndex", 3},
                                               {"speed_Slider.currentIndex", 1},
                                               {"_Direction.currentIndex", 1},
                                               {"_PaletteIndex.currentIndex", 4}};
    QTest::newRow("leftwards, picture 5") << QVariantList{0x37, 27, 1, 1, 0, 0, 0}
                                          << QVariantMap{{"_effect1.defaultIndex", 0},
                                                         {"_effect2.defaultIndex", 4},
                                                         {"brightness_Slider.currentIndex", 3},
                                                         {"speed_Slider.currentIndex", 7},
                                                         {"_Direction.currentIndex", 2}};
}

// Reset shows the factory lighting and clears the pictures; nothing goes to the keyboard.
void ColorPageTest::resetTakesTheFactoryLighting()
{
    QFETCH(QVariantList, factory);
    QFETCH(QVariantMap, expected);
    QVariantList colors;
    for (int i = 0; i < 21; ++i)
        colors.append(i * 10);
    Program program(fastSpeed, [&](const TestWorkspace &workspace) {
        workspace.writeSetting("pD.bin", {{"color/ledType", factory}, {"color/color", colors}});
    });
    showPage(program, 2);
    QObject *page = colorPage(program);
    qmlValue(page, "pictures = [0, 1, 2, 3, 4].map(n => new Array(512).fill(9))");
    program.click(centreOf(page, "_Reset"));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(qmlValue(page, it.key()).toString(), it.value().toString());
    QCOMPARE(qmlValue(page, "_PaletteIndex.colorValues()").toList(), colors);
    QVERIFY(
        qmlValue(page, "pictures.every(p => p.length === 512 && p.every(v => v === 0))").toBool());
    waitForInput(program);
    QVERIFY(commands({0x08, 0x12, 0x30}).isEmpty());
}

void ColorPageTest::paintingWritesThePicture_data()
{
    QTest::addColumn<int>("colorIndex");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("LOOP, F1 and F2") << 7 << 0x17 << 1 << 2;
    QTest::newRow("palette colour, KP7 and KP8 right of x 590") << 3 << 0x10 << 101 << 102;
}

// A drag from one key to its neighbour paints both with the picker's colour.
void ColorPageTest::paintingWritesThePicture()
{
    QFETCH(int, colorIndex);
    QFETCH(int, mode);
    QFETCH(int, first);
    QFETCH(int, second);
    keyboardLighting({0x34, 63, 4, 0, quint8(colorIndex), 0, 0});
    Program program;
    showPage(program, 2);
    QObject *page = colorPage(program);
    qmlValue(page, "_Palette.setRGB(1, 12, 34, 56)");

    QVariantList expected = qmlValue(page, "pictures[1]").toList();
    for (int m : {first, second}) {
        for (int k = 0; k < 4; ++k)
            expected[4 * m + k] = QVariantList{mode, 12, 34, 56}.at(k);
    }
    QTest::mousePress(program.view(), Qt::LeftButton, {}, keyCentre(page, first).toPoint());
    QTest::mouseMove(program.view(), keyCentre(page, second).toPoint());
    QTest::mouseRelease(program.view(), Qt::LeftButton, {}, keyCentre(page, second).toPoint());
    QCOMPARE(qmlValue(page, "pictures[1]").toList(), expected);
    QVERIFY(qmlValue(page, QStringLiteral("_model.getKey[%1].isSelect").arg(first)).toBool());
    // The preview shows the painted colour.
    QCOMPARE(qmlValue(page, QStringLiteral("_model.getKey[%1]._G").arg(second)).toInt(), 34);
}

void ColorPageTest::colourFields_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("green");
    QTest::newRow("in range") << "64" << 64;
    // The keyboard's white is 63 on the wire, 252 on the page.
    QTest::newRow("above 255") << "300" << 252;
    QTest::newRow("empty") << "" << 252;
}

// A field stores only 0-255 and keeps following the palette after it was typed in.
void ColorPageTest::colourFields()
{
    QFETCH(QString, typed);
    QFETCH(int, green);
    keyboardLighting({0x00, 63, 4, 0, 6, 0, 0});
    Program program;
    showPage(program, 2);
    program.widget->activateWindow();
    QObject *page = colorPage(program);
    QQuickItem *field = itemNamed(qmlValue(page, "_Palette").value<QObject *>(), "input1");
    const auto shown = [field] { return itemNamed(field, "field")->property("text"); };

    const QPointF at = pointIn(field, 30, 7);
    QTest::mouseDClick(program.view(), Qt::LeftButton, {}, at.toPoint());
    QTest::keyClick(program.view(), Qt::Key_A, Qt::ControlModifier);
    if (typed.isEmpty())
        QTest::keyClick(program.view(), Qt::Key_Delete);
    else
        QTest::keyClicks(program.view(), typed);
    qmlValue(page, "_Palette.finishInput()");
    QCOMPARE(qmlValue(page, "modColorIndex.get(6).clrG").toInt(), green);
    QCOMPARE(shown().toString(), QString::number(green));

    // Swatch 1 (green) chosen: the field follows.
    program.click(pointIn(page, "_PaletteIndex", 1 * 19 + 7, 12));
    QCOMPARE(shown().toString(), QStringLiteral("252"));
    QCOMPARE(qmlValue(page, "_Palette._R").toInt(), 0);
}

// Effect 2, brightness 5, speed level 3, LOOP, leftwards: bl0 0xA2, bl1 0x7D; the colour
// page's five values go back as stored.
void ColorPageTest::backlightApplyPacksTwoBytes()
{
    keyboardLighting({0x05, 18, 3, 1, 4, 0x00, 0x07});
    Program program;
    showPage(program, 3);
    QObject *page = backlightPage(program);
    QCOMPARE(qmlValue(page, "[effect, brightness_Slider.currentIndex, speed_Slider.currentIndex,"
                            " _PaletteIndex.currentIndex, _Direction.currentIndex].join()")
                 .toString(),
             QStringLiteral("0,0,1,0,1"));

    program.click(pointIn(itemNamed(page, "effect2"), 5, 5));
    program.click(pointIn(page, "brightness_Slider", 5 + 4 * 20 + 10, 10));
    program.click(pointIn(page, "speed_Slider", 5 + 2 * 20 + 10, 10));
    program.click(pointIn(page, "_PaletteIndex", 7 * 19 + 6 + 7, 12)); // LOOP
    program.click(pointIn(page, "_Direction", 10, 30));
    program.click(centreOf(page, "_Apply"));
    QTRY_COMPARE(commands({0x08}), QList<QByteArray>{ledReport({0x05, 18, 3, 1, 4, 0xA2, 0x7D})});
    waitForInput(program);
}

void ColorPageTest::bottomBarCoversBothPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<QByteArray>>("sent");
    QTest::addColumn<int>("backlightEffect");
    // The keyboard holds backlight effect 2, the factory profile effect 1; both pages are
    // edited: colour brightness level 1, backlight effect 3. ALL SAVE sends the colour page's
    // lighting, then the backlight's; ALL RESET shows the factory lighting on both pages and
    // leaves the keyboard with the same.
    QTest::newRow("all save") << "applyButton"
                              << QList<QByteArray>{ledReport({0x02, 9, 4, 0, 7, 0xE2, 0x3C}),
                                                   ledReport({0x02, 9, 4, 0, 7, 0xE3, 0x3C})}
                              << 3;
    QTest::newRow("all reset") << "resetButton"
                               << QList<QByteArray>{ledReport({0x02, 63, 4, 0, 7, 0xE2, 0x3C}),
                                                    ledReport({0x02, 63, 4, 0, 7, 0xE1, 0x3C})}
                               << 1;
}

void ColorPageTest::bottomBarCoversBothPages()
{
    QFETCH(QString, button);
    QFETCH(QList<QByteArray>, sent);
    QFETCH(int, backlightEffect);
    keyboardLighting({0x02, 63, 4, 0, 7, 0xE2, 0x3C});
    Program program;
    showPage(program, 2);
    qmlValue(colorPage(program), "brightness_Slider.setCurIndex(1)");
    qmlValue(backlightPage(program), "effect = 3");
    program.click(centreOf(itemNamed(program.root(), "downItem/" + button)));
    QTRY_COMPARE(commands({0x08}), sent);
    QCOMPARE(qmlValue(backlightPage(program), "effect").toInt(), backlightEffect);
    waitForInput(program);
    QCOMPARE(commands({0x08}), sent);
}

// The keyboard changed its lighting itself: both pages show the new state.
void ColorPageTest::keyboardPushReloadsBothPages()
{
    Program program;
    // A push that arrives before the interface is set up finds no pages yet, and no fault.
    program.eval(QStringLiteral("zzzMorvel()"));
    showPage(program, 2);
    VirtualKeyboard::shared().changeLighting({0x36, 63, 4, 0, 1, 0x43, 0x48});
    QTRY_COMPARE(qmlValue(colorPage(program), "effectIndex").toInt(), 0x36);
    QCOMPARE(qmlValue(colorPage(program), "_PaletteIndex.currentIndex").toInt(), 1);
    // The backlight page, not made yet, shows the push once made.
    QCOMPARE(qmlValue(backlightPage(program), "[effect, brightness_Slider.currentIndex,"
                                              " _PaletteIndex.currentIndex].join()")
                 .toString(),
             QStringLiteral("3,2,1"));
}

// No page is made before it is first shown, but each page's values are read at start-up, as
// they always were: a page made later shows them, not a change stored meanwhile without a
// reload.
void ColorPageTest::pageIsMadeWithWhatTheStartUpRead()
{
    keyboardLighting({0x02, 63, 4, 0, 7, 0xE2, 0x3C});
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    for (int page = 0; page < 4; ++page)
        QVERIFY(program
                    .page(QStringLiteral("pageLoaders[%1].item === null && pageReads[%1] !== null")
                              .arg(page))
                    .toBool());
    program.view()->ui_08H_SetLEDType(0x02, 63, 4, 0, 7, 0x03, 0x3C);
    showPage(program, 3);
    QCOMPARE(qmlValue(backlightPage(program), "effect").toInt(), 0xE2 & 0x1F);
    QVERIFY(program.page("pageReads[3] === null && _Page_Color === null").toBool());
}

QTEST_MAIN(ColorPageTest)
#include "tst_colorpage.moc"
