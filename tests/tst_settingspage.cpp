// The global settings panel running for real: the program's QML with the view, the virtual
// keyboard and a copy of the shipped modules/ folder.

#include "app/widget.h"
#include "itemnames.h"
#include "runningprogram.h"
#include "view/myqquickview.h"
#include "viewgestures.h"

#include <QColor>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QFontInfo>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QQuickItem>
#include <QRawFont>
#include <QSettings>
#include <QTest>

namespace
{
using Prepare = std::function<void(const TestWorkspace &)>;

// The shipped apConfig.bin, entry by entry.
const QStringList shippedSettings{
    "1",   "1",   "1",   "0",   "2",   "false", "",    "0",
    "0",   "255", "255", "255", "200", "150",   "255", "180",
    "0",   "200", "200", "100", "200", "170",   "255", "255",
    "180", "180", "160", "190", "160", "0",     "7",   "https://r7-configurator.example.org/"};

QVariantMap settingsFile(const QStringList &entries)
{
    QVariantMap values{{"common/total", int(entries.size())}};
    for (int i = 0; i < entries.size(); ++i)
        values.insert(QStringLiteral("common/%1").arg(i), entries.at(i));
    return values;
}

QStringList asStrings(const QVariantList &list)
{
    QStringList strings;
    for (const QVariant &value : list)
        strings.append(value.toString());
    return strings;
}

// An object declared in the settings page's own file: expressions in its scope see the page's
// ids and, unqualified, the page's properties.
QObject *settingsPage(const Program &program)
{
    return itemNamed(program.root(), QStringLiteral("_textSettingBox"));
}

// The same inside the palette.
QObject *palettePart(QObject *page)
{
    return itemNamed(qmlValue(page, QStringLiteral("_Palette")).value<QObject *>(),
                     QStringLiteral("inputs"));
}

QColor pageColor(QObject *page)
{
    return qmlValue(page, QStringLiteral("_Color")).value<QColor>();
}

QList<int> swatch(QObject *page, int index)
{
    const QVariantList rgb =
        qmlValue(page, QStringLiteral("[modColorIndex.get(%1).clrR, modColorIndex.get(%1).clrG,"
                                      " modColorIndex.get(%1).clrB]")
                           .arg(index))
            .toList();
    return {rgb.value(0).toInt(), rgb.value(1).toInt(), rgb.value(2).toInt()};
}

QList<int> inputs(QObject *palette)
{
    const QVariantList rgb =
        qmlValue(palette, QStringLiteral("[modRGBvalue.get(0).valueX, modRGBvalue.get(1).valueX,"
                                         " modRGBvalue.get(2).valueX]"))
            .toList();
    return {rgb.value(0).toInt(), rgb.value(1).toInt(), rgb.value(2).toInt()};
}

QList<int> rgbOf(const QColor &color)
{
    return {color.red(), color.green(), color.blue()};
}

// The program with the settings panel open and at rest.
void openPanel(const Program &program)
{
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.set(QStringLiteral("upItem.isGlobalSettingSelect = true"));
    QTRY_VERIFY(program.eval(QStringLiteral("!paGlobalsetting_X.running")).toBool());
}

void chooseFromList(const Program &program, const QString &list, int row)
{
    QObject *page = settingsPage(program);
    program.click(pointIn(page, list, 20, 11));
    QTRY_VERIFY(qmlValue(page, list + QStringLiteral(".isSelect")).toBool());
    program.click(pointIn(page, list, 20, 23 + 23 * row + 11));
    QTRY_VERIFY(!qmlValue(page, list + QStringLiteral(".isSelect")).toBool());
}

QMediaPlayer *player(const Program &program, int index)
{
    return qobject_cast<QMediaPlayer *>(program.view()->soundPlayer().player(index));
}
} // namespace

class SettingsPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("R7_VIRTUAL_KEYBOARD", "1");
        watchInterfaceWarnings();
    }
    void init() { interfaceWarnings().clear(); }
    // Whatever a test does, the interface logs no warning doing it.
    void cleanup()
    {
        QVERIFY2(interfaceWarnings().isEmpty(), qPrintable(interfaceWarnings().join('\n')));
    }

    void initUiLoadsTheStoredSettings_data();
    void initUiLoadsTheStoredSettings();
    void applyStoresTheSettingsList();
    void resetRestoresTheFactorySettings_data();
    void resetRestoresTheFactorySettings();
    void soundChoice();
    void brightnessSetsTheAlpha_data();
    void brightnessSetsTheAlpha();
    void gradientPress_data();
    void gradientPress();
    void paletteSourcesUpdateTheirCopies();
    void languageSwitchesTheWholeInterface_data();
    void languageSwitchesTheWholeInterface();
    void skinRowNeedsTwoSkins_data();
    void skinRowNeedsTwoSkins();
    void backgroundToggle_data();
    void backgroundToggle();
};

void SettingsPageTest::initUiLoadsTheStoredSettings_data()
{
    QStringList stored = shippedSettings;
    stored[1] = "2";
    stored[2] = "0";
    stored[3] = "1";
    stored[4] = "0"; // CHINESE (Simp), first in display-name order
    stored[5] = "true";
    stored[7] = "1";
    stored[17] = "10"; // swatch 3
    stored[18] = "20";
    stored[19] = "30";
    stored[29] = "3";
    stored[30] = "4";
    stored[31] = "https://example.net/";

    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<QVariantMap>("expected");
    QTest::newRow("shipped") << Prepare()
                             << QVariantMap{
                                    {"skin_No", 1},
                                    {"_skin.getCurIndex()", 0},
                                    {"_sound.getCurIndex()", 1},
                                    {"_animated.getCurIndex()", 0},
                                    {"_AnimationSpeed", 800},
                                    {"_language.getCurIndex()", 2},
                                    {"md_language.get(2).textX", "ENGLISH"},
                                    {"_FontFamily", "Arial"},
                                    {"_StringList[29]", "LANGUAGE"},
                                    {"isCustomBackground", false},
                                    {"String(mainIten.sourceCustomBackground)", ""},
                                    {"_TextSize_CHK.currentIndex", 0},
                                    {"_Size", 11},
                                    {"_PaletteIndex.currentIndex", 0},
                                    {"[_Palette._R, _Palette._G, _Palette._B].join()", "0,255,255"},
                                    {"brightness_Slider.currentIndex", 7},
                                    {"_Color.toString()", "#00ffff"},
                                    {"_Url", "https://r7-configurator.example.org/"},
                                };
    QTest::newRow("stored") << Prepare([stored](const TestWorkspace &workspace) {
        QStringList entries = stored;
        entries[6] = "file:" + workspace.path("modules/img/skin2/background.png");
        workspace.writeSetting("apConfig.bin", settingsFile(entries));
    })
                            << QVariantMap{
                                   {"skin_No", 2},
                                   {"_skin.getCurIndex()", 1},
                                   {"_sound.getCurIndex()", 0},
                                   {"_animated.getCurIndex()", 1},
                                   {"_AnimationSpeed", 10},
                                   {"_language.getCurIndex()", 0},
                                   {"_FontFamily", "WenQuanYi Micro Hei"},
                                   {"_StringList[29]", QString::fromUtf8("语言")},
                                   {"md_skin.get(0).textX", QString::fromUtf8("皮肤 1")},
                                   {"md_sound.get(1).textX", QString::fromUtf8("关")},
                                   {"isCustomBackground", true},
                                   {"String(mainIten.sourceCustomBackground).endsWith('/modules/"
                                    "img/skin2/background.png')",
                                    true},
                                   {"_TextSize_CHK.currentIndex", 1},
                                   {"_Size", 12},
                                   {"_PaletteIndex.currentIndex", 3},
                                   {"[_Palette._R, _Palette._G, _Palette._B].join()", "10,20,30"},
                                   {"brightness_Slider.currentIndex", 4},
                                   {"Math.round(_Color.a * 255)", 45 + 4 * 30},
                                   {"_Url", "https://example.net/"},
                               };
    // Without a settings file the built-in values stay; the languages are still offered.
    QTest::newRow("none") << Prepare([](const TestWorkspace &workspace) {
        QFile::remove(workspace.path("modules/setting/apConfig.bin"));
    })
                          << QVariantMap{
                                 {"skin_No", 1},
                                 {"_sound.getCurIndex()", 0},
                                 {"_animated.getCurIndex()", 0},
                                 {"_AnimationSpeed", 800},
                                 {"_language.getCurIndex()", -1},
                                 {"md_language.count", 9},
                                 {"_FontFamily", "Arial"},
                                 {"_StringList.length", 116},
                                 {"_StringList[29]", "LANGUAGE"},
                                 {"isCustomBackground", false},
                                 {"_Size", 11},
                                 {"_Color.toString()", "#00ffff"},
                                 {"_Url", "https://r7-configurator.example.org/"},
                             };
}

void SettingsPageTest::initUiLoadsTheStoredSettings()
{
    QFETCH(Prepare, prepare);
    QFETCH(QVariantMap, expected);
    Program program(0, prepare);
    // The controls are made when the panel first opens, and show what "initUI" loaded.
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QVERIFY(program.eval("_Page_Globalsetting._Apply_IMG === null").toBool());
    openPanel(program);
    QObject *page = settingsPage(program);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(qmlValue(page, it.key()).toString(), it.value().toString());
    // The root publishes what the page holds.
    QCOMPARE(program.eval("globalSetting_size").toInt(), expected.value("_Size").toInt());
    QCOMPARE(program.eval("skin_No").toInt(), expected.value("skin_No").toInt());
}

void SettingsPageTest::applyStoresTheSettingsList()
{
    Program program;
    openPanel(program);
    QObject *page = settingsPage(program);

    chooseFromList(program, "_animated", 1);
    chooseFromList(program, "_language", 1); // CHINESE (Trad)
    program.click(pointIn(page, "_TextSize_CHK", 70, 8));
    QCOMPARE(qmlValue(page, "_Size").toInt(), 12);
    program.click(pointIn(page, "_PaletteIndex", 2 * 21 + 9, 15));
    program.click(pointIn(page, "brightness_Slider", 5 + 3 * 20, 10));
    QVERIFY(program.eval("upItem.isGlobalSettingSelect").toBool());

    program.click(centreOf(page, "_Apply_IMG"));
    QVERIFY(!program.eval("upItem.isGlobalSettingSelect").toBool());
    QTRY_VERIFY(!program.eval("_fkGlobalsetting.visible").toBool());

    QStringList expected = shippedSettings;
    expected[3] = "1";
    expected[4] = "1";
    expected[7] = "1";
    expected[29] = "2";
    expected[30] = "3";
    QCOMPARE(asStrings(program.view()->loadApConfig()), expected);
}

void SettingsPageTest::resetRestoresTheFactorySettings_data()
{
    QTest::addColumn<QString>("factorySound");
    QTest::addColumn<bool>("musicPlays");
    QTest::newRow("factory sound on") << "0" << true;
    QTest::newRow("factory sound off") << "1" << false;
}

void SettingsPageTest::resetRestoresTheFactorySettings()
{
    QFETCH(QString, factorySound);
    QFETCH(bool, musicPlays);
    QStringList factory = shippedSettings;
    factory[2] = factorySound;
    QStringList stored = shippedSettings;
    stored[1] = "2";
    stored[2] = factorySound == "0" ? "1" : "0";
    stored[7] = "1";
    stored[30] = "2";
    Program program(fastSpeed, [&](const TestWorkspace &workspace) {
        QFile::remove(workspace.path("modules/setting/apConfigD.bin"));
        workspace.writeSetting("apConfigD.bin", settingsFile(factory));
        workspace.writeSetting("apConfig.bin", settingsFile(stored));
    });
    openPanel(program);
    QObject *page = settingsPage(program);
    QCOMPARE(qmlValue(page, "skin_No").toInt(), 2);

    program.click(centreOf(page, "_Reset_IMG"));
    QCOMPARE(asStrings(program.view()->loadApConfig()), factory);
    QCOMPARE(qmlValue(page, "skin_No").toInt(), 1);
    QCOMPARE(qmlValue(page, "_Size").toInt(), 11);
    QCOMPARE(qmlValue(page, "brightness_Slider.currentIndex").toInt(), 7);
    QCOMPARE(qmlValue(page, "_sound.getCurIndex()").toString(), factorySound);
    // The music runs again only when the factory settings have the sound on.
    QCOMPARE(!player(program, 0)->source().isEmpty(), musicPlays);
    // Reset keeps the panel open.
    QVERIFY(program.eval("upItem.isGlobalSettingSelect").toBool());
}

// Off silences every sound at once; on starts the music. With the sound off, as shipped, the
// media backend is never loaded.
void SettingsPageTest::soundChoice()
{
    Program program;
    openPanel(program);
    QVERIFY(program.view()->findChildren<QMediaPlayer *>().isEmpty());
    chooseFromList(program, "_sound", 0);
    QVERIFY(!player(program, 0)->source().isEmpty());
    QCOMPARE(player(program, 0)->playbackState(), QMediaPlayer::PlayingState);
    program.view()->playMedia_Index(4);
    QVERIFY(!player(program, 4)->source().isEmpty());

    chooseFromList(program, "_sound", 1);
    for (int i = 0; i < 5; ++i)
        QVERIFY2(player(program, i)->source().isEmpty(), qPrintable(QString::number(i)));
    program.view()->playMedia_Index(4);
    QVERIFY(player(program, 4)->source().isEmpty());
}

void SettingsPageTest::brightnessSetsTheAlpha_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("alpha");
    for (int step = 0; step <= 7; ++step)
        QTest::addRow("step %d", step) << step << 45 + step * 210 / 7;
}

void SettingsPageTest::brightnessSetsTheAlpha()
{
    QFETCH(int, step);
    QFETCH(int, alpha);
    Program program;
    openPanel(program);
    QObject *page = settingsPage(program);
    const QList<int> rgb = rgbOf(pageColor(page));

    program.click(pointIn(page, "brightness_Slider", 5 + step * 20, 10));
    QCOMPARE(qmlValue(page, "brightness_Slider.currentIndex").toInt(), step);
    QCOMPARE(pageColor(page).alpha(), alpha);
    QCOMPARE(rgbOf(pageColor(page)), rgb);
    QCOMPARE(program.eval("globalSetting_color").value<QColor>(), pageColor(page));
}

void SettingsPageTest::gradientPress_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<QList<int>>("rgb");
    QTest::newRow("left end") << 0 << QList<int>{0, 0, 0};
    QTest::newRow("red to yellow") << 12 << QList<int>{255, 3, 0};
    QTest::newRow("yellow to green") << 24 << QList<int>{250, 255, 0};
    QTest::newRow("cyan to blue") << 48 << QList<int>{0, 244, 255};
    QTest::newRow("blue to magenta") << 71 << QList<int>{250, 0, 255};
    QTest::newRow("white to black") << 94 << QList<int>{21, 21, 21};
    QTest::newRow("the very end") << 95 << QList<int>{0, 0, 0};
}

// A press on the bar sets the fields, the chosen swatch and the text colour.
void SettingsPageTest::gradientPress()
{
    QFETCH(int, at);
    QFETCH(QList<int>, rgb);
    Program program;
    openPanel(program);
    QObject *page = settingsPage(program);
    QObject *palette = palettePart(page);
    program.click(pointIn(page, "_PaletteIndex", 4 * 21 + 9, 15));
    program.click(pointIn(page, "brightness_Slider", 5 + 5 * 20, 10));

    QTest::mousePress(program.view(), Qt::LeftButton, {},
                      pointIn(palette, "bar", at, 10).toPoint());
    QTest::mouseRelease(program.view(), Qt::LeftButton, {},
                        pointIn(palette, "bar", at, 10).toPoint());
    QCOMPARE(inputs(palette), rgb);
    QCOMPARE(swatch(page, 4), rgb);
    QCOMPARE(rgbOf(pageColor(page)), rgb);
    QCOMPARE(pageColor(page).alpha(), 45 + 5 * 30);
}

void SettingsPageTest::paletteSourcesUpdateTheirCopies()
{
    Program program;
    openPanel(program);
    QObject *page = settingsPage(program);
    QObject *palette = palettePart(page);
    program.widget->activateWindow();

    // A swatch: the fields and the colour follow, the swatches stay.
    program.click(pointIn(page, "_PaletteIndex", 1 * 21 + 9, 15));
    QCOMPARE(qmlValue(page, "_PaletteIndex.currentIndex").toInt(), 1);
    QCOMPARE(inputs(palette), (QList<int>{255, 200, 150}));
    QCOMPARE(rgbOf(pageColor(page)), (QList<int>{255, 200, 150}));
    QCOMPARE(swatch(page, 0), (QList<int>{0, 255, 255}));

    // A field, committed by Enter: the swatch and the colour follow.
    const QPointF green = pointIn(itemNamed(palette, "input1"), 30, 7);
    QTest::mouseDClick(program.view(), Qt::LeftButton, {}, green.toPoint());
    QTest::keyClick(program.view(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(program.view(), "64");
    QTest::keyClick(program.view(), Qt::Key_Return);
    QCOMPARE(swatch(page, 1), (QList<int>{255, 64, 150}));
    QCOMPARE(rgbOf(pageColor(page)), (QList<int>{255, 64, 150}));

    // A field left with a value typed but not entered: Apply commits it first.
    const QPointF blue = pointIn(itemNamed(palette, "input2"), 30, 7);
    QTest::mouseDClick(program.view(), Qt::LeftButton, {}, blue.toPoint());
    QTest::keyClick(program.view(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(program.view(), "7");
    program.click(centreOf(page, "_Apply_IMG"));
    QCOMPARE(swatch(page, 1), (QList<int>{255, 64, 7}));
    const QStringList stored = asStrings(program.view()->loadApConfig());
    QCOMPARE(stored.mid(11, 3), (QStringList{"255", "64", "7"}));
}

void SettingsPageTest::languageSwitchesTheWholeInterface_data()
{
    QTest::addColumn<QString>("code");
    const QStringList files =
        QDir(QStringLiteral(R7_MODULES_DIR "/i18n")).entryList({"lang_*.ini"}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << file.mid(5, 6);
}

// Every text the interface shows, the font of every label and the texts of the warning boxes
// come from the chosen language; the font has a glyph for every character of the texts.
void SettingsPageTest::languageSwitchesTheWholeInterface()
{
    QFETCH(QString, code);
    Program program;
    openPanel(program);
    // A page made before the switch follows it.
    program.page(QStringLiteral("makePage(0)"));
    QObject *page = settingsPage(program);
    const int row = qmlValue(page, QStringLiteral("Object.values(ui_View.chkLanguages())"
                                                  ".indexOf('%1')")
                                       .arg(code))
                        .toInt();
    QVERIFY(row >= 0);
    chooseFromList(program, "_language", row);

    QSettings language(QStringLiteral("modules/i18n/lang_%1.ini").arg(code), QSettings::IniFormat);
    const QString family = language.value("font/family").toString();
    QStringList texts{family};
    for (int k = 1; k <= language.value("font/total").toInt(); ++k)
        texts.append(language.value(QStringLiteral("strings/%1").arg(k)).toString());
    QCOMPARE(program.eval("globalSetting_stringList").toStringList(), texts);
    QCOMPARE(program.eval("globalSetting_fontFamily").toString(), family);
    QStringList messages;
    for (int k = 0; k < myQQuickView::messageCount; ++k)
        messages.append(language.value(QStringLiteral("msg/%1").arg(k)).toString());
    QCOMPARE(program.view()->messageTexts(), messages);

    // The page's own rows, a label and the menus carry the new texts.
    QCOMPARE(qmlValue(page, "md_skin.get(1).textX").toString(), texts.at(40));
    QCOMPARE(qmlValue(page, "md_animated.get(0).textX").toString(), texts.at(31));
    QCOMPARE(qmlValue(page, "_TextSize_CHK.texts[1]").toString(), texts.at(38));
    QCOMPARE(
        itemNamed(qmlValue(page, "_sound").value<QObject *>(), "head")->property("text").toString(),
        texts.at(qmlValue(page, "_sound.getCurIndex()").toInt() == 0 ? 31 : 32));
    QQuickItem *functionRow = listRow(itemNamed(program.root(), "fnItem/lvFunc"), 0);
    QCOMPARE(itemNamed(functionRow, "rowText")->property("text").toString(), texts.at(74));
    QObject *keyPage = program.root()->findChild<QObject *>(QStringLiteral("modelR7"));
    QCOMPARE(qmlValue(keyPage, "kindModel.get(2).textX").toString(), texts.at(50));
    QCOMPARE(qmlValue(keyPage, "mediaModel.get(17).textX").toString(), texts.at(73));
    QCOMPARE(qmlValue(keyPage, "gamingMode.chkStr").toString(), texts.at(79));

    const QFont font =
        itemNamed(qmlValue(page, "_TextSize_CHK").value<QObject *>(), "choice0/label")
            ->property("font")
            .value<QFont>();
    QCOMPARE(font.family(), family);
    const QString resolved = QFontInfo(font).family();
    QVERIFY2(resolved == family || (family == "Arial" && resolved == "Liberation Sans"),
             qPrintable(resolved));
    const QRawFont raw = QRawFont::fromFont(font);
    for (const QString &text : texts) {
        for (char32_t c : text.toUcs4()) {
            if (!QChar::isSpace(c))
                QVERIFY2(raw.supportsCharacter(c), qPrintable(text));
        }
    }
}

void SettingsPageTest::skinRowNeedsTwoSkins_data()
{
    QTest::addColumn<bool>("twoSkins");
    QTest::addColumn<int>("soundY");
    QTest::newRow("two skins") << true << 22 + 23 + 10;
    QTest::newRow("one skin") << false << 11 + 23 + 10;
}

void SettingsPageTest::skinRowNeedsTwoSkins()
{
    QFETCH(bool, twoSkins);
    QFETCH(int, soundY);
    Program program(fastSpeed, [twoSkins](const TestWorkspace &workspace) {
        if (!twoSkins)
            QDir(workspace.path("modules/img/skin2")).removeRecursively();
    });
    openPanel(program);
    QObject *page = settingsPage(program);
    QCOMPARE(qmlValue(page, "_skin.visible").toBool(), twoSkins);
    QCOMPARE(qmlValue(page, "_sound.y").toInt(), soundY);
    // The labels of the panel's rows: the skin label goes with its list.
    const QVariantList labels =
        qmlValue(page,
                 "Array.from(_textSettingBox.parent.children).filter(c => c.control !== undefined)"
                 ".map(c => c.visible)")
            .toList();
    QCOMPARE(labels.size(), 5);
    QCOMPARE(labels.at(0).toBool(), twoSkins);
    for (int i = 1; i < labels.size(); ++i)
        QVERIFY(labels.at(i).toBool());
}

void SettingsPageTest::backgroundToggle_data()
{
    QTest::addColumn<bool>("pick");
    QTest::newRow("a picture picked") << true;
    QTest::newRow("the dialog cancelled") << false;
}

void SettingsPageTest::backgroundToggle()
{
    QFETCH(bool, pick);
    Program program;
    openPanel(program);
    QObject *page = settingsPage(program);
    const QString picture = program.workspace.path("modules/img/skin2/background.png");
    QQuickItem *label = itemNamed(qmlValue(page, "_background").value<QObject *>(), "label");
    QCOMPARE(label->property("text").toString(), QString::fromUtf8("【 OFF 】"));

    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (pick && dialog) {
            // Typed, as a user would: selectFile is not taken before the folder is listed.
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(picture);
            static_cast<QDialog *>(dialog)->accept();
        } else {
            static_cast<QDialog *>(modal)->reject();
        }
    });
    program.click(centreOf(page, "_background"));
    QCOMPARE(qmlValue(page, "isCustomBackground").toBool(), pick);
    QCOMPARE(program.eval("sourceCustomBackground").toUrl(),
             pick ? QUrl("file:" + picture) : QUrl());
    QCOMPARE(label->property("text").toString(),
             QString::fromUtf8(pick ? "【 ON 】" : "【 OFF 】"));
    QCOMPARE(itemNamed(program.root(), "backgroundPicture")->property("source").toUrl(),
             pick ? QUrl("file:" + picture) : program.eval("sourceBackground").toUrl());

    // Clicking an enabled background switches it off without asking.
    if (pick) {
        program.click(centreOf(page, "_background"));
        QVERIFY(!qmlValue(page, "isCustomBackground").toBool());
        QCOMPARE(program.eval("String(sourceCustomBackground)").toString(), QString());
    }
}

QTEST_MAIN(SettingsPageTest)
#include "tst_settingspage.moc"
