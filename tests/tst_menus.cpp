// The function menu and the profile menu running for real: the program's QML with the view,
// the virtual keyboard and a copy of the shipped modules/ folder.

#include "app/widget.h"
#include "device/virtual/virtualkeyboard.h"
#include "interfacetest.h"
#include "itemnames.h"
#include "runningprogram.h"
#include "view/myqquickview.h"

#include <QColor>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QQuickItem>
#include <QSettings>
#include <QTest>

namespace
{
// The side menus' places in the window (the keyboard item fills it).
constexpr QPointF functionMenu(8, 180);
constexpr int functionRowPitch = 37 + 10;
const QString markKey = QStringLiteral("keydefine9/0");

// Command bytes of the feature reports sent so far, with their first argument.
QList<QPair<int, int>> commandsSent()
{
    QList<QPair<int, int>> commands;
    for (const VirtualKeyboard::Call &call : VirtualKeyboard::shared().calls()) {
        if (call.kind == VirtualKeyboard::Call::SendFeatureReport && call.data.size() > 2)
            commands.append({quint8(call.data.at(1)), quint8(call.data.at(2))});
    }
    return commands;
}

QList<int> profileSwitches()
{
    QList<int> profiles;
    for (const auto &[command, argument] : commandsSent()) {
        if (command == 0x21)
            profiles.append(argument);
    }
    return profiles;
}

// An object declared in the profile menu's own file, whose scope sees the menu's ids.
QObject *profileMenu(const Program &program)
{
    return itemNamed(program.root(), QStringLiteral("pfItem/lvProfile"));
}

QQuickItem *functionIcon(const Program &program, int row)
{
    return itemNamed(listRow(itemNamed(program.root(), QStringLiteral("fnItem/lvFunc")), row),
                     QStringLiteral("rowIcon"));
}

bool keyboardPictureShown(const Program &program)
{
    return itemNamed(program.root(), QStringLiteral("keyboardPicture"))->isVisible();
}

QPointF profileRow(const Program &program, int row)
{
    return qmlValue(profileMenu(program),
                    QStringLiteral("lvProfile.mapToItem(null, 24, %1 * 26 + 13)").arg(row))
        .toPointF();
}

QPointF contextRow(const Program &program, int row)
{
    return qmlValue(profileMenu(program),
                    QStringLiteral("_ProfileMenu.mapToItem(null, _ProfileMenu.width / 2,"
                                   " %1 * 20 + 10)")
                        .arg(row))
        .toPointF();
}

QString settingFile(const Program &program, const QString &name)
{
    return program.workspace.path(QStringLiteral("modules/setting/") + name);
}
} // namespace

class MenusTest : public InterfaceTest
{
    Q_OBJECT

private Q_SLOTS:
    void functionMenuChoosesThePage();
    void functionIconsFollowTheSkin();
    void profileLeftClick_data();
    void profileLeftClick();
    void profileContextMenu_data();
    void profileContextMenu();
    void fadingContextMenuIsInert();
    void initProfileSetsTheRows_data();
    void initProfileSetsTheRows();
    void indicatorFollowsTheConnection();
};

void MenusTest::functionMenuChoosesThePage()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    const auto clickRow = [&](int row) {
        program.click(functionMenu + QPointF(75, row * functionRowPitch + 18));
    };
    QVERIFY(keyboardPictureShown(program));

    clickRow(1);
    QCOMPARE(program.page("fnItem.currentIndex").toInt(), 1);
    QCOMPARE(program.eval("currentpage").toInt(), 1);
    QTRY_VERIFY(program.page("_Page_Macro.visible && !pa_X.running").toBool());
    QVERIFY(!keyboardPictureShown(program));
    QVERIFY(
        functionIcon(program, 1)->property("source").toString().endsWith("/list_fn/fnMacro_1.png"));

    clickRow(2);
    QCOMPARE(program.eval("currentpage").toInt(), 2);
    QTRY_VERIFY(program.page("_Page_Color.visible && !pa_X.running").toBool());

    // The backlight zone's page has the fourth row.
    clickRow(3);
    QCOMPARE(program.eval("currentpage").toInt(), 3);
    QTRY_VERIFY(program.page("_Page_BackLighting.visible && !pa_X.running").toBool());

    // The chosen function again: no page, the keyboard picture is back.
    clickRow(3);
    QCOMPARE(program.page("fnItem.currentIndex").toInt(), -1);
    QCOMPARE(program.eval("currentpage").toInt(), -1);
    QVERIFY(keyboardPictureShown(program));
    QTRY_COMPARE(program.page("_fkPage.curID").toInt(), -1);
    QVERIFY(!program.page("_Page_BackLighting.visible").toBool());
}

void MenusTest::functionIconsFollowTheSkin()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    const auto icon = [&] { return functionIcon(program, 0)->property("source").toUrl(); };
    QCOMPARE(icon(), QUrl("file:modules/img/skin1/list_fn/fnKeydefine_0.png"));
    program.set("_Page_Globalsetting.chooseSkin(1)");
    QCOMPARE(icon(), QUrl("file:modules/img/skin2/list_fn/fnKeydefine_0.png"));
}

void MenusTest::profileLeftClick_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("switches");
    QTest::newRow("the current profile") << 0 << QList<int>{};
    QTest::newRow("another profile") << 2 << QList<int>{2};
}

// Another profile is sent to the keyboard (21H) and the pages reload from it, which starts with
// the lighting query (88H); the current one is not sent again.
void MenusTest::profileLeftClick()
{
    QFETCH(int, row);
    QFETCH(QList<int>, switches);
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QCOMPARE(program.page("pfItem.currentIndex").toInt(), 0);
    VirtualKeyboard::shared().clearCalls();

    program.click(profileRow(program, row));
    QCOMPARE(program.page("pfItem.currentIndex").toInt(), row);
    QCOMPARE(int(program.view()->backend().profiles().activeIndex()), row);
    if (switches.isEmpty()) {
        QTest::qWait(200);
        QCOMPARE(commandsSent(), {});
        return;
    }
    QTRY_COMPARE(profileSwitches(), switches);
    const QList<QPair<int, int>> commands = commandsSent();
    QVERIFY(commands.indexOf({0x21, row}) < commands.indexOf({0x88, 0}));
}

void MenusTest::profileContextMenu_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("action");
    QTest::addColumn<QList<int>>("switches");
    QTest::newRow("LOAD, current profile") << 0 << 0 << QList<int>{0};
    QTest::newRow("LOAD, another profile") << 3 << 0 << QList<int>{};
    QTest::newRow("SAVE, current profile") << 0 << 1 << QList<int>{};
    QTest::newRow("RESET, current profile") << 0 << 2 << QList<int>{0};
    QTest::newRow("RESET, another profile") << 1 << 2 << QList<int>{};
    QTest::newRow("CANCEL") << 1 << 3 << QList<int>{};
}

// Import and reset replace the profile's file; the current profile is then chosen again, so
// the keyboard and the pages take it. Export copies it. The menu closes in every case.
void MenusTest::profileContextMenu()
{
    QFETCH(int, row);
    QFETCH(int, action);
    QFETCH(QList<int>, switches);
    // Every profile file carries a mark the pages never write: a key of a layout the keyboard
    // does not have.
    Program program(fastSpeed, [](const TestWorkspace &workspace) {
        for (int i = 1; i <= 5; ++i)
            QSettings(workspace.path(QStringLiteral("modules/setting/p%1.bin").arg(i)),
                      QSettings::IniFormat)
                .setValue(markKey, QVariantList{1, 1});
    });
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.widget->activateWindow();
    const QString profileFile = settingFile(program, QStringLiteral("p%1.bin").arg(row + 1));
    const QString exported = program.workspace.path("exported.pf");
    program.workspace.writeFile("imported.pf", "[keydefine9]\n0=2, 2\n");
    if (action < 2) {
        onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            // Typed, as a user would: selectFile is not taken before the folder is listed.
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                ->setText(action == 0 ? program.workspace.path("imported.pf") : exported);
            static_cast<QDialog *>(dialog)->accept();
        });
    }

    program.click(profileRow(program, row), Qt::RightButton);
    QObject *menu = profileMenu(program);
    QVERIFY(qmlValue(menu, "_ProfileMenu.visible").toBool());
    QCOMPARE(qmlValue(menu, "_ProfileMenu.targetIndex").toInt(), row);
    // The profile row under the pointer stays as it was.
    QCOMPARE(program.page("pfItem.currentIndex").toInt(), 0);
    VirtualKeyboard::shared().clearCalls();

    program.click(contextRow(program, action));
    QTRY_VERIFY(!qmlValue(menu, "_ProfileMenu.visible").toBool());
    QTRY_COMPARE(profileSwitches(), switches);
    QTest::qWait(200);
    QCOMPARE(profileSwitches(), switches);
    QCOMPARE(program.page("pfItem.currentIndex").toInt(), 0);

    const auto mark = [](const QString &file) {
        return QSettings(file, QSettings::IniFormat).value(markKey).toStringList().join(',');
    };
    const QString expected[] = {"2,2", "1,1", QString(), "1,1"};
    QCOMPARE(mark(profileFile), expected[action]);
    if (action == 1)
        QCOMPARE(mark(exported), QStringLiteral("1,1"));
    if (action == 2)
        QCOMPARE(
            QSettings(profileFile, QSettings::IniFormat).value("userPicture/0"),
            QSettings(settingFile(program, "pD.bin"), QSettings::IniFormat).value("userPicture/0"));
}

// A click on the menu while it fades out after CANCEL chooses nothing (here RESET) and reaches
// nothing under it (a profile row).
void MenusTest::fadingContextMenuIsInert()
{
    Program program(fastSpeed, [](const TestWorkspace &workspace) {
        QSettings(workspace.path("modules/setting/p2.bin"), QSettings::IniFormat)
            .setValue(markKey, QVariantList{1, 1});
    });
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.setSpeed(slowSpeed);
    QObject *menu = profileMenu(program);
    program.click(profileRow(program, 1), Qt::RightButton);
    QVERIFY(qmlValue(menu, "_ProfileMenu.isOpen").toBool());
    VirtualKeyboard::shared().clearCalls();

    program.click(contextRow(program, 3));
    QVERIFY(qmlValue(menu, "_ProfileMenu.visible && !_ProfileMenu.isOpen").toBool());
    program.click(contextRow(program, 2));
    QTRY_VERIFY_WITH_TIMEOUT(!qmlValue(menu, "_ProfileMenu.visible").toBool(), 20000);
    QCOMPARE(program.page("pfItem.currentIndex").toInt(), 0);
    QCOMPARE(profileSwitches(), {});
    QCOMPARE(QSettings(settingFile(program, "p2.bin"), QSettings::IniFormat)
                 .value(markKey)
                 .toStringList(),
             (QStringList{"1", "1"}));
}

void MenusTest::initProfileSetsTheRows_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("none") << 0 << QStringList{};
    QTest::newRow("three") << 3 << QStringList{"P01", "P02", "P03"};
    QTest::newRow("ten") << 10 << QStringList{"P01", "P02", "P03", "P04", "P05",
                                              "P06", "P07", "P08", "P09", "P10"};
}

void MenusTest::initProfileSetsTheRows()
{
    QFETCH(int, count);
    QFETCH(QStringList, texts);
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QObject *menu = profileMenu(program);
    // The shipped hardware definition has five profiles.
    QCOMPARE(qmlValue(menu, "lvProfile.count").toInt(), 5);

    program.page(QStringLiteral("pfItem.initProfile(%1)").arg(count));
    QCOMPARE(qmlValue(menu, "lvProfile.count").toInt(), count);
    qmlValue(menu, "lvProfile.forceLayout()");
    QStringList shown;
    for (int i = 0; i < count; ++i)
        shown.append(itemNamed(listRow(menu, i), "profileName")->property("text").toString());
    QCOMPARE(shown, texts);
}

// The square is green while a supported keyboard is connected and red otherwise.
void MenusTest::indicatorFollowsTheConnection()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QObject *menu = profileMenu(program);
    const auto indicator = [menu] {
        return qmlValue(menu, "connectIndicator.color").value<QColor>();
    };
    QCOMPARE(indicator(), QColor("#00ff00"));

    VirtualKeyboard::shared().unplug();
    program.widget->checkDevice();
    QTRY_COMPARE(indicator(), QColor("#ff0000"));
    QVERIFY(!program.eval("isConnect").toBool());

    VirtualKeyboard::shared().plug();
    program.widget->checkDevice();
    QTRY_COMPARE(indicator(), QColor("#00ff00"));
}

QTEST_MAIN(MenusTest)
#include "tst_menus.moc"
